#include "TextSettings.h"

#include "IniFile.h"
#include "Neon.h"
#include "Protocol.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

const std::string kHoriz = "HorizNeon";
const std::string kVert = "VertNeon";
const std::string kVertLines = "VertNeonLines";

// The most empty lines that stand for missing Line keys.
constexpr std::int64_t kMaxGapLines = 1 << 16;

constexpr int kMaxInterval = 100;
constexpr int kMaxFileTime = 3599;

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

void LoadHoriz(const TIniFile& ini, THorizNeonSettings& s) {
    s.Text = ini.ReadString(kHoriz, "Text", "");
    s.Interval = std::clamp(ini.ReadInteger(kHoriz, "Interval", 1), 1, kMaxInterval);
    s.PosY = std::clamp(ini.ReadInteger(kHoriz, "PosY", THorizNeon().PosY), 0, SCREEN_ROWS - 1);
    s.FileTime = std::clamp(ini.ReadInteger(kHoriz, "FileTime", 30), 1, kMaxFileTime);
    s.File = ini.ReadString(kHoriz, "File", "");
    s.FileRead = ini.ReadBool(kHoriz, "FileRead", false);
    s.Enabled = ini.ReadBool(kHoriz, "Enabled", true);
}

void LoadVert(const TIniFile& ini, TVertNeonSettings& s) {
    const TVertNeon fresh;
    s.Center = ini.ReadBool(kVert, "Center", false);
    TVertNeon pages;
    pages.SetLines(
        SplitAtLineFeeds(StoredPageText(ini.ReadSection(kVertLines), ini.ReadInteger(kVert, "LinesCount", 0))));
    s.Lines = std::move(pages.Lines);
    s.Interval = std::clamp(ini.ReadInteger(kVert, "Interval", 10), 1, kMaxInterval);
    const int posY = ini.ReadInteger(kVert, "PosY", fresh.PosY);
    const int height = ini.ReadInteger(kVert, "Height", fresh.Height);
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
    s.FileTime = std::clamp(ini.ReadInteger(kVert, "FileTime", 30), 1, kMaxFileTime);
    s.File = ini.ReadString(kVert, "File", "");
    s.FileRead = ini.ReadBool(kVert, "FileRead", false);
    s.Enabled = ini.ReadBool(kVert, "Enabled", false);
}

bool SaveHoriz(TIniFile& ini, const THorizNeonSettings& s) {
    THorizNeon ticker;
    ticker.SetText(s.Text);
    return ini.WriteString(kHoriz, "Text", ticker.GetText()) && ini.WriteInteger(kHoriz, "Interval", s.Interval) &&
           ini.WriteInteger(kHoriz, "PosY", s.PosY) && ini.WriteInteger(kHoriz, "FileTime", s.FileTime) &&
           ini.WriteString(kHoriz, "File", s.File) && ini.WriteBool(kHoriz, "FileRead", s.FileRead) &&
           ini.WriteBool(kHoriz, "Enabled", s.Enabled);
}

bool SaveVert(TIniFile& ini, const TVertNeonSettings& s) {
    if (!ini.WriteBool(kVert, "Center", s.Center) ||
        !ini.WriteInteger(kVert, "LinesCount", static_cast<int>(s.Lines.size())) || !ini.EraseSection(kVertLines))
        return false;
    // The page lines go in one write: a long text must not make a save slow.
    std::vector<std::pair<std::string, std::string>> lines;
    lines.reserve(s.Lines.size());
    for (std::size_t i = 0; i < s.Lines.size(); ++i)
        lines.emplace_back("Line" + std::to_string(i), s.Lines[i]);
    if (!lines.empty() && !ini.WriteSection(kVertLines, lines))
        return false;
    return ini.WriteInteger(kVert, "Interval", s.Interval) && ini.WriteInteger(kVert, "PosY", s.PosY) &&
           ini.WriteInteger(kVert, "Height", s.Height) && ini.WriteInteger(kVert, "FileTime", s.FileTime) &&
           ini.WriteString(kVert, "File", s.File) && ini.WriteBool(kVert, "FileRead", s.FileRead) &&
           ini.WriteBool(kVert, "Enabled", s.Enabled);
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
    std::int64_t gapLinesLeft = kMaxGapLines;
    for (const auto& [n, value] : held) {
        const std::int64_t gap = std::min(n - next, gapLinesLeft);
        gapLinesLeft -= gap;
        text.append(static_cast<std::size_t>(gap), '\n');
        text.append(next == 0 ? "" : "\n").append(*value);
        next = n + 1;
    }
    return text;
}

void TTextSettings::Load(const TIniFile& ini) {
    LoadHoriz(ini, Horiz);
    LoadVert(ini, Vert);
}

bool TTextSettings::Save(TIniFile& ini) const {
    return SaveHoriz(ini, Horiz) && SaveVert(ini, Vert);
}
