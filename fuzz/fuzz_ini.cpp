// The settings file as arbitrary bytes: every typed read on the sections and
// keys the input itself names and on the program's own, then one write that
// must read back and must leave every other key as it was.
#include "FuzzTempFile.h"
#include "IniFile.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const std::vector<std::string> kSections{"Settings", "HorizNeon", "VertNeon", "VertNeonLines", "Logo", "settings", ""};
const std::vector<std::string> kKeys{
    "Port",  "Connected", "ActivePageIndex",  "Left", "Text",    "Interval", "File", "LinesCount", "Line0",
    "Line1", "Loaded",    "TransparentColor", "PosX", "Enabled", ""};

// Up to limit names found in lines of the input: after "[" up to "]" for
// sections, before "=" for keys.
void CollectNames(const std::string& bytes, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    std::size_t start = 0;
    while (start < bytes.size() && (sections.size() < 12 || keys.size() < 16)) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.find(']');
            sections.push_back(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    }
}

void ReadEverything(const TIniFile& ini, const std::vector<std::string>& sections, const std::vector<std::string>& keys,
                    std::vector<std::string>& values) {
    for (const std::string& section : sections) {
        ini.SectionExists(section);
        for (const std::string& key : keys) {
            std::string value = ini.ReadString(section, key, "\x01");
            Check(value.size() <= 2047);
            values.push_back(std::move(value));
            values.push_back(std::to_string(ini.ReadInteger(section, key, -77)));
            values.push_back(ini.ReadBool(section, key, true) ? "1" : "0");
        }
    }
}

// A value that a profile file can hold as it is: one line, no blanks or
// quotes at its ends, within the read limit.
std::string PlainValue(const std::string& bytes) {
    std::string value;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && c != '"' && c != '\'' && c != ';' && value.size() < 200)
            value.push_back(c);
    }
    return value;
}

std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = TFuzzFolder::Get().Write(QStringLiteral("KR7Controller.ini"), data, size);
    if (path.isEmpty())
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> sections = kSections;
    std::vector<std::string> keys = kKeys;
    CollectNames(bytes, sections, keys);

    TIniFile ini(path);
    std::vector<std::string> written;
    ReadEverything(ini, {"HorizNeon", " horizneon "}, keys, written);
    // Every section but the one written, compared before and after the write.
    std::vector<std::string> others;
    for (const std::string& section : sections)
        if (Lower(Trim(section)) != "horizneon")
            others.push_back(section);
    std::vector<std::string> before;
    ReadEverything(ini, others, keys, before);

    const std::string value = PlainValue(bytes.substr(0, 64));
    if (!ini.WriteString("HorizNeon", "Text", value))
        return 0;
    TIniFile reread(path);
    Check(reread.ReadString("HorizNeon", "Text", "\x01") == value);
    std::vector<std::string> after;
    ReadEverything(reread, others, keys, after);
    Check(before == after);
    return 0;
}
