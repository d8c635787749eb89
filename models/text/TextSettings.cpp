#include "TextSettings.h"

#include "IniFile.h"
#include "Neon.h"
#include "Protocol.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

const std::string HORIZ = "HorizNeon";
const std::string VERT = "VertNeon";
const std::string VERT_LINES = "VertNeonLines";

// The most empty lines that stand for missing Line keys.
constexpr std::int64_t MAX_GAP_LINES = 1 << 16;

constexpr int MAX_INTERVAL = 100;
constexpr int MAX_FILE_TIME = 3599;

// The index n of a key "line<n>" (decimal, no padding), or -1.
std::int64_t LineKeyIndex(const std::string& key) {
    if (key.size() < 5 || key.size() > 14 || key.compare(0, 4, "line") != 0)
        return -1;
    const std::string digits = key.substr(4);
    if (digits.find_first_not_of("0123456789") != std::string::npos || (digits.size() > 1 && digits[0] == '0'))
        return -1;
    return std::stoll(digits);
}

// The text's lines; only line feeds separate them.
std::vector<std::string> SplitAtLineFeeds(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t to = text.find('\n', from);
        if (to == std::string::npos)
            to = text.size();
        lines.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return lines;
}

// A position control: a value held within its bounds.
struct TBoundedValue {
    int value = 0;
    int minimum = 0;
    int maximum = 0;
};

// The row and height controls of the pages, each bounding the other, from
// the state a fresh window holds them in when its settings are restored.
// Setting a value, or a bound that moves the value, runs the change handler.
class TPageWindowBars {
public:
    void SetRow(int value) { Set(row_, value); }
    void SetHeight(int value) { Set(height_, value); }
    int Row() const { return row_.value; }
    int Height() const { return height_.value; }
    int RowMaximum() const { return row_.maximum; }

private:
    void Set(TBoundedValue& bar, int value) {
        value = std::clamp(value, bar.minimum, std::max(bar.minimum, bar.maximum));
        if (value == bar.value)
            return;
        bar.value = value;
        Changed();
    }
    void SetMaximum(TBoundedValue& bar, int maximum) {
        bar.maximum = std::max(bar.minimum, maximum);
        Set(bar, bar.value);
    }
    // Lowering a bound may move the other bar, which runs this again.
    void Changed() {
        SetMaximum(height_, SCREEN_ROWS - row_.value);
        SetMaximum(row_, SCREEN_ROWS - height_.value);
    }

    // The designed positions and bounds, before any handler ran.
    TBoundedValue row_{7, 0, SCREEN_ROWS - 1};
    TBoundedValue height_{3, 1, SCREEN_ROWS};
};

// Reads the values of the text sections as the window's controls take them,
// noting each stored value that is not used as it stands.
class TValueReader {
public:
    TValueReader(const TIniFile& ini, std::vector<TSettingNote>* notes) : ini_(ini), notes_(notes) {}

    int Integer(const std::string& section, const std::string& key, int def, int low, int high) const {
        const int used = std::clamp(ini_.ReadInteger(section, key, def), low, high);
        Check(section, key, used);
        return used;
    }
    bool Bool(const std::string& section, const std::string& key, bool def) const {
        const bool used = ini_.ReadBool(section, key, def);
        Check(section, key, used ? 1 : 0, true);
        return used;
    }
    // Notes the key when the file holds it and its value is not used: not a
    // number, or (unless onlyNumbers) another number than used.
    void Check(const std::string& section, const std::string& key, int used, bool onlyNumbers = false) const {
        // No stored value holds a line break, so this default tells a missing key.
        const std::string missing = "\n";
        const std::string stored = ini_.ReadString(section, key, missing);
        if (notes_ == nullptr || stored == missing)
            return;
        // A number is read whatever the default; anything else gives the default.
        const int parsed = ini_.ReadInteger(section, key, 0);
        const bool number = parsed == ini_.ReadInteger(section, key, 1);
        if (number && (onlyNumbers || parsed == used))
            return;
        notes_->push_back({section, key, stored, used});
    }
    const TIniFile& Ini() const { return ini_; }

private:
    const TIniFile& ini_;
    std::vector<TSettingNote>* notes_;
};

void LoadHoriz(const TValueReader& read, THorizNeonSettings& s) {
    const TIniFile& ini = read.Ini();
    s.Text = ini.ReadString(HORIZ, "Text", "");
    s.Interval = read.Integer(HORIZ, "Interval", 1, 1, MAX_INTERVAL);
    s.PosY = read.Integer(HORIZ, "PosY", THorizNeon().PosY, 0, SCREEN_ROWS - 1);
    s.FileTime = read.Integer(HORIZ, "FileTime", 30, 1, MAX_FILE_TIME);
    s.File = ini.ReadString(HORIZ, "File", "");
    s.FileRead = read.Bool(HORIZ, "FileRead", false);
    s.Enabled = read.Bool(HORIZ, "Enabled", true);
}

void LoadVert(const TValueReader& read, TVertNeonSettings& s) {
    const TIniFile& ini = read.Ini();
    const TVertNeon fresh;
    s.Center = read.Bool(VERT, "Center", false);
    TVertNeon pages;
    pages.SetLines(
        SplitAtLineFeeds(StoredPageText(ini.ReadSection(VERT_LINES), ini.ReadInteger(VERT, "LinesCount", 0))));
    s.Lines = std::move(pages.Lines);
    s.Interval = read.Integer(VERT, "Interval", 10, 1, MAX_INTERVAL);
    const int posY = ini.ReadInteger(VERT, "PosY", fresh.PosY);
    const int height = ini.ReadInteger(VERT, "Height", fresh.Height);
    // Restored first is the bar whose stored value the present bounds would cut.
    TPageWindowBars bars;
    if (posY > bars.RowMaximum()) {
        bars.SetHeight(height);
        bars.SetRow(posY);
    } else {
        bars.SetRow(posY);
        bars.SetHeight(height);
    }
    s.PosY = bars.Row();
    s.Height = bars.Height();
    read.Check(VERT, "PosY", s.PosY);
    read.Check(VERT, "Height", s.Height);
    s.FileTime = read.Integer(VERT, "FileTime", 30, 1, MAX_FILE_TIME);
    s.File = ini.ReadString(VERT, "File", "");
    s.FileRead = read.Bool(VERT, "FileRead", false);
    s.Enabled = read.Bool(VERT, "Enabled", false);
}

bool SaveHoriz(TIniFile& ini, const THorizNeonSettings& s) {
    THorizNeon ticker;
    ticker.SetText(s.Text);
    return ini.WriteString(HORIZ, "Text", ticker.GetText()) && ini.WriteInteger(HORIZ, "Interval", s.Interval) &&
           ini.WriteInteger(HORIZ, "PosY", s.PosY) && ini.WriteInteger(HORIZ, "FileTime", s.FileTime) &&
           ini.WriteString(HORIZ, "File", s.File) && ini.WriteBool(HORIZ, "FileRead", s.FileRead) &&
           ini.WriteBool(HORIZ, "Enabled", s.Enabled);
}

bool SaveVert(TIniFile& ini, const TVertNeonSettings& s) {
    if (!ini.WriteBool(VERT, "Center", s.Center) ||
        !ini.WriteInteger(VERT, "LinesCount", static_cast<int>(s.Lines.size())) || !ini.EraseSection(VERT_LINES))
        return false;
    // The page lines go in one write: a long text must not make a save slow.
    std::vector<std::pair<std::string, std::string>> lines;
    lines.reserve(s.Lines.size());
    for (std::size_t i = 0; i < s.Lines.size(); ++i)
        lines.emplace_back("Line" + std::to_string(i), s.Lines[i]);
    if (!lines.empty() && !ini.WriteSection(VERT_LINES, lines))
        return false;
    return ini.WriteInteger(VERT, "Interval", s.Interval) && ini.WriteInteger(VERT, "PosY", s.PosY) &&
           ini.WriteInteger(VERT, "Height", s.Height) && ini.WriteInteger(VERT, "FileTime", s.FileTime) &&
           ini.WriteString(VERT, "File", s.File) && ini.WriteBool(VERT, "FileRead", s.FileRead) &&
           ini.WriteBool(VERT, "Enabled", s.Enabled);
}

} // namespace

std::string StoredPageText(const std::unordered_map<std::string, std::string>& section, int count) {
    // Reading goes by the keys the section holds: a huge count or index costs
    // nothing, and the empty lines standing for missing keys stop at a bound.
    std::vector<std::pair<std::int64_t, const std::string*>> held;
    for (const auto& [key, value] : section) {
        const std::int64_t n = LineKeyIndex(key);
        if (n >= 0 && n < count)
            held.emplace_back(n, &value);
    }
    std::sort(held.begin(), held.end());
    std::string text;
    std::int64_t next = 0;
    std::int64_t gapLinesLeft = MAX_GAP_LINES;
    for (const auto& [n, value] : held) {
        const std::int64_t gap = std::min(n - next, gapLinesLeft);
        gapLinesLeft -= gap;
        text.append(static_cast<std::size_t>(gap), '\n');
        text.append(next == 0 ? "" : "\n").append(*value);
        next = n + 1;
    }
    return text;
}

void TTextSettings::Load(const TIniFile& ini, std::vector<TSettingNote>* notes) {
    const TValueReader read(ini, notes);
    LoadHoriz(read, Horiz);
    LoadVert(read, Vert);
}

bool TTextSettings::Save(TIniFile& ini) const {
    return SaveHoriz(ini, Horiz) && SaveVert(ini, Vert);
}
