#pragma once

#include <QString>

#include <string>
#include <vector>

// A Windows profile file: "[Section]" lines and "key=value" lines, sections and
// keys found without regard to case, blanks around keys and values ignored,
// ";" comment lines skipped. Bytes are Windows-1250 and pass through untouched.
//
// Reads never fail: a missing file, section or key gives the default. Every
// write changes the file at once, by an atomic replace, so a reader sees the
// old file or the new one and never a mix; a write reports failure by its
// result.
class TIniFile {
public:
    explicit TIniFile(QString path);

    const QString& Path() const { return path_; }

    // Strings are read up to 2047 bytes.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal, or hexadecimal after 0x/0X; anything unreadable gives def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // An integer, any non-zero value being true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    bool SectionExists(const std::string& section) const;

    // A key is replaced in place, or appended to its section, or appended
    // with a new section at the end of the file.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    // Removes the section with all its keys.
    bool EraseSection(const std::string& section);

private:
    void Load();
    bool Store();
    int FindSection(const std::string& section) const;
    int FindKey(int sectionLine, const std::string& key) const;

    QString path_;
    std::vector<std::string> lines_;
};
