// A text file's bytes through the line splitter, the wrapping rule and the
// page lines: nothing is lost or invented, no line holds a line break, and no
// page line is empty.
#include "Neon.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::string WithoutCrLf(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
            ++i;
            continue;
        }
        out.push_back(s[i]);
    }
    return out;
}

void CheckSplit(const std::string& bytes, const std::vector<std::string>& lines) {
    const std::string text = bytes.substr(0, bytes.find('\0'));
    std::string joined, expected;
    for (const std::string& line : lines) {
        Check(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        joined += line;
    }
    for (char c : text)
        if (c != '\r' && c != '\n')
            expected.push_back(c);
    Check(joined == expected);
    Check(lines.size() <= text.size());
}

void CheckWrap(const std::string& line, int width) {
    const std::string wrapped = WrapLine(line, width);
    Check(WithoutCrLf(wrapped) == line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks a width for the wrapping rule; the rest is the file.
    const int width = static_cast<int>(data[0] % 40);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::vector<std::string> lines = SplitTextLines(bytes);
    CheckSplit(bytes, lines);
    for (const std::string& line : lines) {
        CheckWrap(line, SCREEN_COLUMNS);
        CheckWrap(line, width);
    }

    TVertNeon neon;
    neon.Height = 1 + data[0] % 16;
    neon.SetLines(lines);
    for (const std::string& page : neon.Lines) {
        Check(!page.empty());
        Check(page.find_first_of("\r\n") == std::string::npos);
        Check(PageRow(page, false).size() == SCREEN_COLUMNS);
        Check(PageRow(page, true).size() == SCREEN_COLUMNS);
    }
    for (std::size_t i = 0; i < neon.Lines.size() + 2; ++i) {
        const int first = neon.NextPage();
        Check(first >= 0 && (neon.Lines.empty() || first < static_cast<int>(neon.Lines.size())));
    }
    return 0;
}
