#include "Neon.h"

#include "CharTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsBreak(char c) {
    return c == ' ' || c == '-' || c == '.';
}

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

std::string TrimRight(const std::string& s) {
    std::size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1]))
        --end;
    return s.substr(0, end);
}

std::string Trim(const std::string& s) {
    std::size_t begin = 0;
    while (begin < s.size() && IsBlank(s[begin]))
        ++begin;
    std::size_t end = s.size();
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

// Appends the CR LF separated segments of wrapped to lines, skipping empty ones.
void AppendSegments(const std::string& wrapped, std::vector<std::string>& lines) {
    std::size_t from = 0;
    while (from < wrapped.size()) {
        std::size_t to = wrapped.find("\r\n", from);
        if (to == std::string::npos)
            to = wrapped.size();
        if (to > from)
            lines.push_back(wrapped.substr(from, to - from));
        from = to + 2;
    }
}

} // namespace

THorizNeon::THorizNeon() {
    PosY = 8;
    Reset();
}

void THorizNeon::Reset() {
    Position = 0;
}

void THorizNeon::SetText(const std::string& s) {
    Text = Trim(s);
}

std::string THorizNeon::NextWindow() {
    // The padded text is a blank row, the text and a blank row; its bytes are
    // numbered from 1 and the window starts at max(Position, 1). Only the
    // bytes of the window are built.
    const std::int64_t n = static_cast<std::int64_t>(Text.size());
    const std::int64_t paddedLength = n + 2 * SCREEN_COLUMNS;
    const std::int64_t p = Position;
    const std::int64_t first = std::max<std::int64_t>(p, 1);

    std::string window;
    if (first <= paddedLength) {
        const std::int64_t length = std::min<std::int64_t>(SCREEN_COLUMNS, paddedLength - first + 1);
        window.assign(static_cast<std::size_t>(length), ' ');
        for (std::int64_t i = 0; i < length; ++i) {
            const std::int64_t index = first - 1 + i - SCREEN_COLUMNS; // index into Text
            if (index >= 0 && index < n)
                window[static_cast<std::size_t>(i)] = Text[static_cast<std::size_t>(index)];
        }
    }

    const std::int64_t next = p + 1;
    Position = next > n + SCREEN_COLUMNS ? 0 : static_cast<int>(next);
    return window;
}

TVertNeon::TVertNeon() {
    PosY = 12;
    Reset();
}

void TVertNeon::Reset() {
    First = 0;
}

int TVertNeon::NextPage() {
    const int page = First;
    const std::int64_t next = static_cast<std::int64_t>(First) + Height;
    First = next < static_cast<std::int64_t>(Lines.size()) ? static_cast<int>(next) : 0;
    return page;
}

void TVertNeon::SetLines(const std::vector<std::string>& source) {
    Lines.clear();
    for (const std::string& line : source)
        AppendSegments(WrapLine(TrimRight(line)), Lines);
}

std::string WrapLine(const std::string& line, int width) {
    // Positions count from 1.
    const std::size_t length = line.size();
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    std::string result;
    result.reserve(length + length / 8);
    std::size_t pos = 1, col = 1, start = 1, breakAt = 0;
    char quote = 0;
    while (pos <= length) {
        const char c = line[pos - 1];
        if (IsBreak(c) && quote == 0)
            breakAt = pos;
        else if (IsQuote(c))
            quote = quote == c ? 0 : (quote == 0 ? c : quote);
        ++pos;
        ++col;
        if (quote != 0 || col <= w || breakAt <= start)
            continue;
        // Cut after the last break point; the break character ends the segment.
        result.append(line, start - 1, breakAt - start + 1);
        // Break characters right after the break point begin the next
        // segment and are no break points there. When the scan has already
        // gone past the break point (a later byte reached the row's end, or a
        // closing quote did), a break character ahead is an ordinary break
        // point of the new segment.
        if (pos == breakAt + 1)
            while (pos <= length && IsBreak(line[pos - 1]))
                ++pos;
        col = pos - breakAt;
        if (pos <= length)
            result += "\r\n"; // otherwise the trailing break characters join this segment
        start = breakAt + 1;
        breakAt = start;
    }
    if (start <= length)
        result.append(line, start - 1, std::string::npos);
    return result;
}

std::vector<std::string> SplitTextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    const std::size_t end = std::min(bytes.find('\0'), bytes.size());
    std::size_t from = 0;
    while (from < end) {
        std::size_t to = from;
        while (to < end && bytes[to] != '\r' && bytes[to] != '\n')
            ++to;
        lines.push_back(bytes.substr(from, to - from));
        if (to < end && bytes[to] == '\r' && to + 1 < end && bytes[to + 1] == '\n')
            ++to;
        from = to + 1;
    }
    return lines;
}

std::string PageRow(const std::string& line, bool centre) {
    std::string row = line.substr(0, SCREEN_COLUMNS);
    const std::size_t k = SCREEN_COLUMNS - row.size();
    if (k == 0)
        return row;
    if (!centre)
        return row + std::string(k, ' ');
    return std::string(k / 2, ' ') + row + std::string((k + 1) / 2, ' ');
}

std::vector<TVertNeon::TRow> TVertNeon::NextPageRows(bool centre) {
    std::vector<TRow> rows;
    std::int64_t i = NextPage();
    for (int r = PosY; r < EndRow(); ++r, ++i) {
        const bool blank = i < 0 || i >= static_cast<std::int64_t>(Lines.size());
        rows.push_back({r, blank ? BlankRow : PageRow(Lines[static_cast<std::size_t>(i)], centre)});
    }
    return rows;
}

int TVertNeon::EndRow() const {
    return std::min(PosY + Height, SCREEN_ROWS);
}
