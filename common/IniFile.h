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
// Reads never fail: a missing file, section or key gives the default. Writes
// edit the lines in memory; Save() then writes the whole file once, by an
// atomic replace (a temporary file written, flushed to the disk and renamed
// over the old one), so a reader, or a crash, finds the old file or the new
// one and never a mix. Save reports failure by its result.
class TIniFile {
public:
    explicit TIniFile(QString path);

    // A profile read from bytes, as a file holding them would be read. It
    // has no file: Save() writes nothing, and Bytes() gives what the file
    // would hold.
    static TIniFile FromBytes(std::string_view bytes);

    const QString& Path() const { return path_; }
    // The content the file holds (or would hold) after the last write.
    std::string Bytes() const;
    // Writes the lines in memory to the file with one atomic replace. False
    // when the file could not be written, and when it exists but could not
    // be read (writing it would throw its content away); the old file then
    // stays as it was.
    bool Save();

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
    // become blanks, so a value can never start a line of its own. False,
    // changing nothing, for a section or key name that a line cannot hold.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    // Writes the keys in order as WriteString would, in one pass over the
    // lines: a long list of keys costs one edit, not one each.
    bool WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys);
    // Removes the section with all its keys (every copy of it).
    bool EraseSection(const std::string& section);

private:
    TIniFile() = default;
    void Load();
    void Replace(std::vector<std::string> lines);
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
    // would throw its content away, so a save fails instead.
    bool writable_ = true;
    bool inMemory_ = false;
    // Every section by its trimmed name in lower case, the first of two equal
    // names winning as a scan of the lines would; rebuilt whenever the lines
    // change, so a read looks at the lines of its own section only.
    std::unordered_map<std::string, TSectionSpan> sections_;
};
