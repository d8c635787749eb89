#pragma once

#include "Protocol.h"

#include <string>
#include <vector>

// The common base of the two text features: the first screen row they write.
class TNeon {
public:
    virtual ~TNeon() = default;
    int PosY = 0;
};

// The horizontal ticker: one text scrolled right to left through one row.
class THorizNeon : public TNeon {
public:
    THorizNeon();
    void Reset();
    // Keeps s without leading and trailing bytes 0x00..0x20; Position stays.
    void SetText(const std::string& s);
    const std::string& GetText() const { return Text; }
    // The 30 (or, after the text was shortened, fewer) bytes to show now:
    // the text framed by a blank row on either side, seen from Position.
    // Advances Position; a cycle has length + 31 ticks.
    std::string NextWindow();

    int Position = 0;

private:
    std::string Text;
};

// The vertical pages: the text broken into screen-wide lines, shown Height
// lines at a time from row PosY.
class TVertNeon : public TNeon {
public:
    TVertNeon();
    void Reset();
    // The first line of this page; advances First to the next page.
    int NextPage();
    // Rebuilds Lines from the editor's lines; First stays.
    void SetLines(const std::vector<std::string>& source);

    // One screen row of a page: its row number and its 30 bytes.
    struct TRow {
        int row = 0;
        std::string text;
    };
    // The rows of the next page (NextPage): Height rows from PosY, cut at the
    // screen's last row, each a PageRow of its line or blank past the text.
    std::vector<TRow> NextPageRows(bool centre);
    // One past the last row of the window, which ends at the screen's last row.
    int EndRow() const;

    std::vector<std::string> Lines;
    int Height = 3;
    int First = 0;
};

// The wrapping rule of the pages: breaks one line (without line breaks) after
// spaces, hyphens and full stops, never inside quotes, into segments of at most
// width bytes where a break point allows; segments are joined by CR LF.
std::string WrapLine(const std::string& line, int width = SCREEN_COLUMNS);

// Splits bytes into lines at CR LF, lone CR and lone LF; a zero byte ends the
// text. A final line break does not start another line.
std::vector<std::string> SplitTextLines(const std::string& bytes);

// The first 30 bytes of a page line padded with spaces to exactly 30:
// left-aligned, or centred with the smaller half of the padding on the left.
std::string PageRow(const std::string& line, bool centre);
