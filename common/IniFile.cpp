#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t MAX_VALUE = 2047;
// A settings file is a few kilobytes; anything past this is not one.
constexpr qint64 MAX_FILE_SIZE = 64 * 1024 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// "[name]" gives name; a line that is not a section header gives false.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return false;
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    name = Trim(line.substr(0, close));
    return true;
}

// "key=value" gives both, trimmed; comments and other lines give false.
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[')
        return false;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty();
}

void SplitLines(std::string_view data, std::vector<std::string>& lines) {
    const char* p = data.data();
    const char* end = p + data.size();
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n')
            ++p;
        lines.emplace_back(start, p);
        if (p == end)
            break;
        const bool cr = *p++ == '\r';
        if (cr && p < end && *p == '\n')
            ++p;
    }
}

// Every line followed by CR LF, as the file holds them.
template <typename Bytes> void JoinLines(const std::vector<std::string>& lines, Bytes& data) {
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    data.reserve(static_cast<decltype(data.size())>(total));
    for (const std::string& line : lines) {
        data.append(line.data(), static_cast<decltype(data.size())>(line.size()));
        data.append("\r\n", 2);
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char l = Lower(c);
    return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// Decimal with an optional sign, or 0x/0X and up to 32 bits of hexadecimal
// (0xFFFFFFFF is -1). Anything else, or a decimal outside int, is unreadable.
bool ParseInteger(std::string_view text, int& result) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex)
        text.remove_prefix(2);
    if (text.empty())
        return false;
    std::uint64_t value = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    for (char c : text) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > limit)
            return false;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0 - value : value);
    result = static_cast<int>(bits);
    return true;
}

std::string OneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return value;
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        c = Lower(c);
    return lower;
}

bool ValidName(std::string_view name, char forbidden) {
    name = Trim(name);
    return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos &&
           name.find(forbidden) == std::string_view::npos;
}

} // namespace

TIniFile::TIniFile(QString path) : path_(std::move(path)) {
    Load();
}

void TIniFile::Load() {
    lines_.clear();
    sections_.clear();
    writable_ = true;
    QFile file(path_);
    if (!file.exists())
        return;
    const QFileInfo info(path_);
    if (!info.isFile() || info.size() > MAX_FILE_SIZE || !file.open(QIODevice::ReadOnly)) {
        writable_ = false;
        return;
    }
    const QByteArray data = file.read(std::min(info.size(), MAX_FILE_SIZE) + 1);
    if (data.size() > MAX_FILE_SIZE || file.error() != QFileDevice::NoError) {
        writable_ = false;
        return;
    }
    SplitLines(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), lines_);
    IndexSections();
}

void TIniFile::IndexSections() {
    sections_.clear();
    std::string_view name;
    std::vector<std::pair<int, std::string_view>> headers;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (SectionName(lines_[i], name))
            headers.emplace_back(static_cast<int>(i), name);
    for (std::size_t h = 0; h < headers.size(); ++h) {
        const int end = h + 1 < headers.size() ? headers[h + 1].first : static_cast<int>(lines_.size());
        sections_.try_emplace(LowerName(headers[h].second), TSectionSpan{headers[h].first, end});
    }
}

const TIniFile::TSectionSpan* TIniFile::FindSpan(const std::string& section) const {
    const auto found = sections_.find(LowerName(Trim(section)));
    return found == sections_.end() ? nullptr : &found->second;
}

int TIniFile::FindSection(const std::vector<std::string>& lines, const std::string& section) {
    const std::string_view wanted = Trim(section);
    std::string_view name;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (SectionName(lines[i], name) && SameName(name, wanted))
            return static_cast<int>(i);
    return -1;
}

// The line after the last line of the section that starts at sectionLine.
int TIniFile::SectionEnd(const std::vector<std::string>& lines, int sectionLine) {
    std::string_view name;
    std::size_t i = static_cast<std::size_t>(sectionLine) + 1;
    while (i < lines.size() && !SectionName(lines[i], name))
        ++i;
    return static_cast<int>(i);
}

int TIniFile::FindKey(const std::vector<std::string>& lines, int sectionLine, const std::string& key) {
    const std::string_view wanted = Trim(key);
    const int end = SectionEnd(lines, sectionLine);
    std::string_view k, v;
    for (int i = sectionLine + 1; i < end; ++i)
        if (KeyValue(lines[static_cast<std::size_t>(i)], k, v) && SameName(k, wanted))
            return i;
    return -1;
}

const std::string* TIniFile::FindValue(const std::string& section, const std::string& key) const {
    const TSectionSpan* span = FindSpan(section);
    if (span == nullptr)
        return nullptr;
    const std::string_view wanted = Trim(key);
    std::string_view k, v;
    for (int i = span->header + 1; i < span->end; ++i) {
        const std::string& line = lines_[static_cast<std::size_t>(i)];
        if (KeyValue(line, k, v) && SameName(k, wanted))
            return &line;
    }
    return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    const std::string* line = FindValue(section, key);
    if (line == nullptr)
        return def;
    std::string_view k, v;
    KeyValue(*line, k, v);
    return std::string(v.substr(0, MAX_VALUE));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    const std::string* line = FindValue(section, key);
    if (line == nullptr)
        return def;
    std::string_view k, v;
    KeyValue(*line, k, v);
    int value = 0;
    return ParseInteger(v, value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const {
    return FindSpan(section) != nullptr;
}

std::unordered_map<std::string, std::string> TIniFile::ReadSection(const std::string& section) const {
    std::unordered_map<std::string, std::string> values;
    const TSectionSpan* span = FindSpan(section);
    if (span == nullptr)
        return values;
    std::string_view k, v;
    for (int i = span->header + 1; i < span->end; ++i) {
        if (!KeyValue(lines_[static_cast<std::size_t>(i)], k, v))
            continue;
        values.try_emplace(LowerName(k), v.substr(0, MAX_VALUE));
    }
    return values;
}

TIniFile TIniFile::FromBytes(std::string_view bytes) {
    TIniFile ini;
    ini.inMemory_ = true;
    SplitLines(bytes, ini.lines_);
    ini.IndexSections();
    return ini;
}

std::string TIniFile::Bytes() const {
    std::string data;
    JoinLines(lines_, data);
    return data;
}

bool TIniFile::Save() {
    if (inMemory_)
        return true;
    if (!writable_)
        return false;
    QByteArray data;
    JoinLines(lines_, data);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void TIniFile::Replace(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    IndexSections();
}

// Puts key=value into lines: replaced in place, or appended to its section,
// or appended with a new section at the end.
bool TIniFile::Apply(std::vector<std::string>& lines, const std::string& section, const std::string& key,
                     const std::string& value) const {
    if (!ValidName(section, ']') || !ValidName(key, '='))
        return false;
    std::string entry = std::string(Trim(key)) + "=" + OneLine(value);
    const int s = FindSection(lines, section);
    if (s < 0) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(Trim(section)) + "]");
        lines.push_back(std::move(entry));
        return true;
    }
    const int k = FindKey(lines, s, key);
    if (k >= 0) {
        lines[static_cast<std::size_t>(k)] = std::move(entry);
        return true;
    }
    // After the section's last non-blank line, before the blank lines that
    // set it apart from the next one.
    int at = SectionEnd(lines, s);
    while (at - 1 > s && Trim(lines[static_cast<std::size_t>(at - 1)]).empty())
        --at;
    lines.insert(lines.begin() + at, std::move(entry));
    return true;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    std::vector<std::string> lines = lines_;
    if (!Apply(lines, section, key, value))
        return false;
    Replace(std::move(lines));
    return true;
}

bool TIniFile::WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys) {
    std::vector<std::string> lines = lines_;
    if (FindSection(lines, section) < 0 && !keys.empty()) {
        // A new section: every key is new too, unless a key repeats, which
        // the general path below handles.
        if (!Apply(lines, section, keys.front().first, keys.front().second))
            return false;
        std::unordered_map<std::string, bool> seen;
        bool repeated = false;
        for (const auto& [key, value] : keys) {
            std::string lower(Trim(key));
            for (char& c : lower)
                c = Lower(c);
            repeated = repeated || !seen.try_emplace(lower, true).second;
            if (!ValidName(section, ']') || !ValidName(key, '='))
                return false;
        }
        if (!repeated) {
            lines.reserve(lines.size() + keys.size());
            for (std::size_t i = 1; i < keys.size(); ++i)
                lines.push_back(std::string(Trim(keys[i].first)) + "=" + OneLine(keys[i].second));
            Replace(std::move(lines));
            return true;
        }
    }
    for (const auto& [key, value] : keys)
        if (!Apply(lines, section, key, value))
            return false;
    Replace(std::move(lines));
    return true;
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::EraseSection(const std::string& section) {
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    std::string_view name;
    const std::string_view wanted = Trim(section);
    bool erasing = false;
    bool found = false;
    for (const std::string& line : lines_) {
        if (SectionName(line, name)) {
            erasing = SameName(name, wanted);
            found = found || erasing;
        }
        if (!erasing)
            lines.push_back(line);
    }
    if (found)
        Replace(std::move(lines));
    return true;
}
