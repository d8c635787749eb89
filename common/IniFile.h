#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// A Windows profile file: "[Section]" lines and "key=value" lines, sections and
// keys found without regard to case, blanks around keys and values ignored,
// ";" comment lines skipped. Bytes are Windows-1250 and pass through untouched.
//
// The file is read once, when the object is made; reads then come from memory.
// Lines may end in CR LF, LF or CR; written lines end in CR LF.
//
// Reads never fail: a missing file, section or key gives the default. Every
// write changes the file at once, by an atomic replace, so a reader sees the
// old file or the new one and never a mix; a write reports failure by its
// result.
class TIniFile {
public:
    explicit TIniFile(QString path);

    // A profile read from bytes, as a file holding them would be read. It
    // has no file: writes change only the memory, and Bytes() gives what the
    // file would hold.
    static TIniFile FromBytes(std::string_view bytes);

    const QString& Path() const { return path_; }
    // The content the file holds (or would hold) after the last write.
    std::string Bytes() const;

    // Strings are read up to 2047 bytes.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal, or hexadecimal after 0x/0X; anything unreadable gives def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // An integer, any non-zero value being true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    bool SectionExists(const std::string& section) const;
    // Every key of the section with its value (up to 2047 bytes), in one pass;
    // keys in lower case, the first of two equal keys winning as in a read.
    std::unordered_map<std::string, std::string> ReadSection(const std::string& section) const;

    // A key is replaced in place, or appended to its section, or appended
    // with a new section at the end of the file. Line breaks in a value
    // become blanks, so a value can never start a line of its own.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    // Writes the keys in order as WriteString would, with one replace of the
    // file: a long list of keys costs one write, not one each.
    bool WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys);
    // Removes the section with all its keys (every copy of it).
    bool EraseSection(const std::string& section);

private:
    TIniFile() = default;
    void Load();
    bool Store(const std::vector<std::string>& lines);
    bool Replace(std::vector<std::string> lines);
    bool Apply(std::vector<std::string>& lines, const std::string& section, const std::string& key,
               const std::string& value) const;
    // The lines of a section: its header and the line after its last line.
    struct TSectionSpan {
        int header = 0;
        int end = 0;
    };
    void IndexSections();
    const TSectionSpan* FindSpan(const std::string& section) const;
    const std::string* FindValue(const std::string& section, const std::string& key) const;
    static int FindSection(const std::vector<std::string>& lines, const std::string& section);
    static int SectionEnd(const std::vector<std::string>& lines, int sectionLine);
    static int FindKey(const std::vector<std::string>& lines, int sectionLine, const std::string& key);

    QString path_;
    std::vector<std::string> lines_;
    // False when the file exists but could not be read: writing it then
    // would throw its content away, so writes fail instead.
    bool writable_ = true;
    bool inMemory_ = false;
    // Every section by its trimmed name in lower case, the first of two equal
    // names winning as a scan of the lines would; rebuilt whenever the lines
    // change, so a read looks at the lines of its own section only.
    std::unordered_map<std::string, TSectionSpan> sections_;
};
