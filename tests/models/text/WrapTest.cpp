#include "Neon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The page lines that one editor line gives.
std::vector<std::string> Wrapped(const std::string& line) {
    TVertNeon neon;
    neon.SetLines({line});
    return neon.Lines;
}

std::vector<std::size_t> Lengths(const std::vector<std::string>& lines) {
    std::vector<std::size_t> lengths;
    for (const auto& l : lines)
        lengths.push_back(l.size());
    return lengths;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines)
        all += l;
    return all;
}

std::string A(int n) {
    return std::string(n, 'a');
}
std::string B(int n) {
    return std::string(n, 'b');
}
std::string X(int n) {
    return std::string(n, 'x');
}

} // namespace

TEST(Wrap, BreaksAfterTheSpaceThatEndsAFullRow) {
    EXPECT_EQ(Wrapped(A(29) + " b"), (std::vector<std::string>{A(29) + " ", "b"}));
    EXPECT_EQ(WrapLine(A(29) + " b"), A(29) + " \r\nb");
}

TEST(Wrap, OverlongWordRunsToTheNextBreakPoint) {
    const auto lines = Wrapped(A(31) + " bb");
    EXPECT_EQ(lines, (std::vector<std::string>{A(31) + " ", "bb"}));
    EXPECT_EQ(PageRow(lines[0], false), A(30));
    EXPECT_EQ(PageRow(lines[0], true), A(30));
}

TEST(Wrap, ThirtyOneCharactersBreakThirtyDoNot) {
    EXPECT_EQ(Wrapped(A(4) + " " + B(26)), (std::vector<std::string>{A(4) + " ", B(26)}));
    EXPECT_EQ(Wrapped(A(4) + " " + B(25)), (std::vector<std::string>{A(4) + " " + B(25)}));
}

TEST(Wrap, SentenceBreaksAtTheLastSpaceWithinEachRow) {
    const std::string fox = "the quick brown fox jumps over the lazy dog and runs away";
    ASSERT_EQ(fox.size(), 57u);
    const auto lines = Wrapped(fox);
    EXPECT_EQ(Lengths(lines), (std::vector<std::size_t>{26, 27, 4}));
    EXPECT_EQ(lines[0], "the quick brown fox jumps ");
    EXPECT_EQ(lines[1], "over the lazy dog and runs ");
    EXPECT_EQ(lines[2], "away");
}

TEST(Wrap, WordWithoutBreakPointStaysWhole) {
    EXPECT_EQ(Wrapped(X(40)), (std::vector<std::string>{X(40)}));
    EXPECT_EQ(PageRow(X(40), false), X(30));
    // A break character at the first byte of a segment is no break point.
    EXPECT_EQ(Wrapped(" " + X(40)), (std::vector<std::string>{" " + X(40)}));
}

TEST(Wrap, LeadingSpacesBecomeTheirOwnBlankRow) {
    const auto lines = Wrapped("     " + X(40));
    EXPECT_EQ(lines, (std::vector<std::string>{"     ", X(40)}));
    EXPECT_EQ(PageRow(lines[0], true), std::string(30, ' '));
}

TEST(Wrap, HyphensAreBreakPointsAndStayOnTheSegment) {
    const std::string numbers = "one-two-three-four-five-six-seven-eight";
    ASSERT_EQ(numbers.size(), 39u);
    const auto lines = Wrapped(numbers);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "one-two-three-four-five-six-");
    EXPECT_EQ(lines[0].size(), 28u);
    EXPECT_EQ(lines[1], "seven-eight");
}

TEST(Wrap, FullStopsAreBreakPoints) {
    EXPECT_EQ(Wrapped(A(20) + "." + B(20)), (std::vector<std::string>{A(20) + ".", B(20)}));
}

TEST(Wrap, NoCutInsideQuotes) {
    const std::string quoted = "\"to be or not to be that is the question\"";
    const std::string line = "he said " + quoted + " and left the stage at once";
    EXPECT_EQ(Wrapped(line), (std::vector<std::string>{"he said ", quoted + " ", "and left the stage at once"}));
    // Apostrophes quote as well; a quote mark of the other kind inside does not close it.
    const std::string single = "'a \" b c d e f g h i j k l m n o p'";
    EXPECT_EQ(Wrapped("x " + single + " y"), (std::vector<std::string>{"x ", single + " ", "y"}));
    // A closing quote that reaches the row's end cuts at the last break point before it.
    EXPECT_EQ(Wrapped("ab \"" + X(30) + "\"z"), (std::vector<std::string>{"ab ", "\"" + X(30) + "\"z"}));
}

TEST(Wrap, UnclosedQuotePreventsEveryFurtherCut) {
    const std::string line = "a \"b c d e f g h i j k l m n o p q r s t u v w x y z";
    EXPECT_EQ(Wrapped(line), (std::vector<std::string>{line}));
    // Even the break points before the quote: a cut is only made while no quote is open.
    const std::string later = std::string(20, 'w') + " word \"" + std::string(60, 'q') + " more";
    EXPECT_EQ(Wrapped(later), (std::vector<std::string>{later}));
}

TEST(Wrap, BreakCharactersAfterTheBreakPointBeginTheNextSegment) {
    EXPECT_EQ(Wrapped(A(30) + "   " + B(3)), (std::vector<std::string>{A(30) + " ", "  " + B(3)}));
    EXPECT_EQ(Wrapped(A(29) + " -." + B(3)), (std::vector<std::string>{A(29) + " ", "-." + B(3)}));
}

TEST(Wrap, BreakCharacterMetAfterACutIsABreakPoint) {
    // The cut after "nnn " is made while scanning the o's; the space after
    // them must still be a break point, so no segment exceeds the row.
    const std::string line = "llllllllllll mmmmmmmmmmmmm- nnnnnnnnnnnnnn ooooooooooooooo pppppppppppppppp. qqqq";
    EXPECT_EQ(Wrapped(line), (std::vector<std::string>{"llllllllllll mmmmmmmmmmmmm- ", "nnnnnnnnnnnnnn ",
                                                       "ooooooooooooooo ", "pppppppppppppppp. qqqq"}));
}

TEST(Wrap, TrailingBreakCharactersJoinTheLastSegmentAndNoByteIsLost) {
    // Before trimming: spaces and stops at the very end stay on the last segment.
    EXPECT_EQ(WrapLine(A(29) + " b..."), A(29) + " \r\nb...");
    EXPECT_EQ(WrapLine(A(29) + " ..."), A(29) + " ...");
    EXPECT_EQ(WrapLine(""), "");

    std::string text;
    for (int i = 0; i < 200; ++i)
        text += std::string(i % 37 + 1, static_cast<char>('a' + i % 26)) + (i % 3 ? " " : i % 5 ? "- " : ". ");
    const auto lines = Wrapped(text);
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.pop_back();
    EXPECT_EQ(Joined(lines), trimmed);
    for (const auto& l : lines) {
        EXPECT_FALSE(l.empty());
        // Only a word longer than the row may exceed it: then no break point
        // lies after the segment's leading break characters within the row.
        if (l.size() > 30) {
            const std::size_t word = l.find_first_not_of(" -.");
            EXPECT_GE(l.find_first_of(" -.", word), 30u) << l;
        }
    }
}

TEST(Wrap, BytesAboveSeventyFAreTextNotBlanks) {
    // 0xA0 (no-break space) and letters with diacritics are neither trimmed nor break points.
    EXPECT_EQ(Wrapped("\xB9\xE6\xA0"), (std::vector<std::string>{"\xB9\xE6\xA0"}));
}

TEST(PageRow, PadsLeftAlignedOrCentred) {
    EXPECT_EQ(PageRow(std::string(27, 'c'), true), " " + std::string(27, 'c') + "  ");
    EXPECT_EQ(PageRow(std::string(13, 'c'), true), std::string(8, ' ') + std::string(13, 'c') + std::string(9, ' '));
    EXPECT_EQ(PageRow(std::string(13, 'c'), false), std::string(13, 'c') + std::string(17, ' '));
    EXPECT_EQ(PageRow(std::string(30, 'c'), true), std::string(30, 'c'));
    EXPECT_EQ(PageRow(std::string(31, 'c'), true), std::string(30, 'c'));
}
