#pragma once

// The settings-file checks shared by the in-memory target and the one that
// goes through real files: typed reads on the sections and keys the input
// itself names and on a few of the program's own, then one write that must
// read back and must leave every other section as it was.
#include "IniFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz_ini {

// Lines one input may hold (a CR LF ends one line): the program's own file
// has about 30; past this time goes to the libFuzzer bookkeeping of many
// equal lines, not to parsing, and the lines of a real file all take the same
// paths.
constexpr std::size_t MAX_LINES = 64;
// Names taken from the input, besides the program's own.
constexpr std::size_t MAX_INPUT_SECTIONS = 3;
constexpr std::size_t MAX_INPUT_KEYS = 4;

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

inline bool TooManyLines(const std::string& bytes) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines += bytes[i] == '\n' || bytes[i] == '\r';
    }
    return lines > MAX_LINES;
}

inline std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

inline std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Names found in lines of the input: after "[" up to "]" for sections,
// before "=" for keys.
inline void CollectNames(const std::string& bytes, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    std::size_t start = 0;
    while (start < bytes.size() && (sections.size() < MAX_INPUT_SECTIONS || keys.size() < MAX_INPUT_KEYS)) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.find(']');
            if (sections.size() < MAX_INPUT_SECTIONS)
                sections.push_back(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && keys.size() < MAX_INPUT_KEYS)
            keys.push_back(line.substr(0, eq));
    }
}

// The typed reads of one key; what they give is appended to values.
inline void ReadKey(const TIniFile& ini, const std::string& section, const std::string& key,
                    std::vector<std::string>& values) {
    std::string value = ini.ReadString(section, key, "\x01");
    Check(value.size() <= 2047);
    values.push_back(std::move(value));
    values.push_back(std::to_string(ini.ReadInteger(section, key, -77)));
    values.push_back(ini.ReadBool(section, key, true) ? "1" : "0");
}

// A section as one pass reads it; its first keys must agree with the
// key-by-key reads.
inline std::vector<std::string> ReadWholeSection(const TIniFile& ini, const std::string& section) {
    std::vector<std::string> values{ini.SectionExists(section) ? "+" : "-"};
    const auto keys = ini.ReadSection(section);
    std::size_t checked = 0;
    for (const auto& [key, value] : keys) {
        Check(key == Lower(key));
        if (checked++ < MAX_INPUT_KEYS)
            Check(ini.ReadString(section, key, "\x01") == value);
    }
    std::vector<std::string> sorted;
    for (const auto& [key, value] : keys)
        sorted.push_back(key + "=" + value);
    std::sort(sorted.begin(), sorted.end());
    values.insert(values.end(), sorted.begin(), sorted.end());
    return values;
}

// A value that a profile file can hold as it is: one line, no blanks or
// quotes at its ends, within the read limit.
inline std::string PlainValue(const std::string& bytes) {
    std::string value;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && c != '"' && c != '\'' && c != ';' && value.size() < 200)
            value.push_back(c);
    }
    return value;
}

// The sections a write of HorizNeon must leave as they were.
inline std::vector<std::string> OtherSections(const std::vector<std::string>& sections) {
    std::vector<std::string> others;
    for (const std::string& section : sections)
        if (Lower(Trim(section)) != "horizneon")
            others.push_back(section);
    return others;
}

inline std::vector<std::string> ReadSections(const TIniFile& ini, const std::vector<std::string>& sections) {
    std::vector<std::string> values;
    for (const std::string& section : sections) {
        const std::vector<std::string> one = ReadWholeSection(ini, section);
        values.insert(values.end(), one.begin(), one.end());
    }
    return values;
}

// Typed reads of the input's own names and of a few of the program's, then
// one write of a key; reopen() gives the profile as a later reader sees it,
// which must hold the value written and every other section unchanged.
template <typename Reopen> void CheckProfile(TIniFile& ini, const std::string& bytes, Reopen reopen) {
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    CollectNames(bytes, sections, keys);
    std::vector<std::string> typed;
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            ReadKey(ini, section, key, typed);
    for (const char* key : {"Connected", "ActivePageIndex", "TransparentColor"})
        ReadKey(ini, "Settings", key, typed);
    ReadKey(ini, " horizneon ", "text", typed);

    sections.insert(sections.end(), {"Settings", "VertNeon", "VertNeonLines", "Logo", ""});
    const std::vector<std::string> others = OtherSections(sections);
    const std::vector<std::string> before = ReadSections(ini, others);

    const std::string value = PlainValue(bytes.substr(0, 64));
    if (!ini.WriteString("HorizNeon", "Text", value) || !ini.Save())
        return;
    const TIniFile reread = reopen(ini);
    Check(reread.ReadString("HorizNeon", "Text", "\x01") == value);
    Check(ReadSections(reread, others) == before);
}

} // namespace fuzz_ini
