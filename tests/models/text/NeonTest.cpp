#include "Neon.h"

#include "FeatureSwitch.h"
#include "KR7.h"
#include "PtyPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

// The windows of one whole cycle from Reset.
std::vector<std::string> Cycle(THorizNeon& neon) {
    std::vector<std::string> windows;
    do
        windows.push_back(neon.NextWindow());
    while (neon.Position != 0 && windows.size() < 100000);
    return windows;
}

} // namespace

TEST(HorizNeon, StartsOnRowEightWithEmptyText) {
    THorizNeon neon;
    EXPECT_EQ(neon.PosY, 8);
    EXPECT_EQ(neon.Position, 0);
    EXPECT_EQ(neon.GetText(), "");
}

TEST(HorizNeon, SetTextTrimsBlanksAndControlBytesButKeepsInnerOnes) {
    THorizNeon neon;
    neon.Position = 5;
    neon.SetText(std::string("\t \0 A  B\r\n", 10));
    EXPECT_EQ(neon.GetText(), "A  B");
    EXPECT_EQ(neon.Position, 5);
    neon.SetText("\xA5\xB9 ");
    EXPECT_EQ(neon.GetText(), "\xA5\xB9"); // bytes above 0x7F are text
    neon.SetText("   ");
    EXPECT_EQ(neon.GetText(), "");
}

TEST(HorizNeon, AbcCycleTickByTick) {
    THorizNeon neon;
    neon.SetText("ABC");
    const std::string padded = Blanks(30) + "ABC" + Blanks(30);
    std::vector<std::string> expected;
    expected.push_back(Blanks(30));
    for (int p = 1; p <= 33; ++p)
        expected.push_back(padded.substr(p - 1, 30));
    ASSERT_EQ(expected.size(), 34u);
    EXPECT_EQ(expected[2], Blanks(29) + "A");
    EXPECT_EQ(expected[4], Blanks(27) + "ABC");
    EXPECT_EQ(expected[31], "ABC" + Blanks(27));
    EXPECT_EQ(expected[33], "C" + Blanks(29));

    EXPECT_EQ(Cycle(neon), expected);
    // The next cycle starts again with two blank windows.
    EXPECT_EQ(neon.NextWindow(), Blanks(30));
    EXPECT_EQ(neon.NextWindow(), Blanks(30));
    EXPECT_EQ(neon.NextWindow(), Blanks(29) + "A");
}

TEST(HorizNeon, FortyCharactersScrollThroughInSeventyOneFullWindows) {
    THorizNeon neon;
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += static_cast<char>('a' + i % 26);
    neon.SetText(text);
    const auto windows = Cycle(neon);
    ASSERT_EQ(windows.size(), 71u);
    for (const auto& w : windows)
        EXPECT_EQ(w.size(), 30u);
    EXPECT_EQ(windows[31], text.substr(0, 30)); // text fills the row
    EXPECT_EQ(windows[70], text.substr(39) + Blanks(29));
}

TEST(HorizNeon, EmptyTextGivesBlankCycleOfThirtyOneTicks) {
    THorizNeon neon;
    const auto windows = Cycle(neon);
    ASSERT_EQ(windows.size(), 31u);
    for (const auto& w : windows)
        EXPECT_EQ(w, Blanks(30));
}

TEST(HorizNeon, ShortenedTextGivesShortThenEmptyWindowsThenRestarts) {
    THorizNeon neon;
    neon.SetText(std::string(40, 'x'));
    for (int i = 0; i < 66; ++i)
        neon.NextWindow();
    ASSERT_EQ(neon.Position, 66);
    neon.SetText("ABCDEFGHIJ");              // n = 10, padded length 70
    EXPECT_EQ(neon.NextWindow(), Blanks(5)); // characters 66..70
    EXPECT_EQ(neon.Position, 0);
    EXPECT_EQ(neon.NextWindow(), Blanks(30));

    neon.SetText(std::string(40, 'x'));
    neon.Reset();
    for (int i = 0; i < 70; ++i)
        neon.NextWindow();
    neon.SetText("AB"); // position 70 lies beyond the 62 bytes
    EXPECT_EQ(neon.NextWindow(), "");
    EXPECT_EQ(neon.Position, 0);
    EXPECT_EQ(neon.NextWindow(), Blanks(30));
}

TEST(HorizNeon, OutOfRangePositionsNeitherCrashNorOverflow) {
    THorizNeon neon;
    neon.SetText("ABC");
    neon.Position = -7;
    EXPECT_EQ(neon.NextWindow(), Blanks(30));
    EXPECT_EQ(neon.Position, -6);
    neon.Position = 2147483647;
    EXPECT_EQ(neon.NextWindow(), "");
    EXPECT_EQ(neon.Position, 0);
}

TEST(VertNeon, StartsOnRowTwelveWithHeightThree) {
    TVertNeon neon;
    EXPECT_EQ(neon.PosY, 12);
    EXPECT_EQ(neon.Height, 3);
    EXPECT_EQ(neon.First, 0);
    EXPECT_TRUE(neon.Lines.empty());
}

TEST(VertNeon, PagesOfSevenLinesWithHeightThree) {
    TVertNeon neon;
    neon.Lines = {"1", "2", "3", "4", "5", "6", "7"};
    std::vector<int> starts;
    for (int i = 0; i < 5; ++i)
        starts.push_back(neon.NextPage());
    EXPECT_EQ(starts, (std::vector<int>{0, 3, 6, 0, 3}));
}

TEST(VertNeon, FewLinesRepeatOnePageAndNoLinesStayAtZero) {
    TVertNeon neon;
    neon.Lines = {"1", "2", "3"};
    EXPECT_EQ(neon.NextPage(), 0);
    EXPECT_EQ(neon.NextPage(), 0);
    neon.Lines.clear();
    EXPECT_EQ(neon.NextPage(), 0);
    EXPECT_EQ(neon.NextPage(), 0);
}

TEST(VertNeon, TextShrinkingBelowFirstGivesOneBlankPageThenRestarts) {
    TVertNeon neon;
    neon.SetLines({"1", "2", "3", "4", "5", "6", "7"});
    neon.NextPage();
    neon.NextPage();
    ASSERT_EQ(neon.First, 6);
    neon.SetLines({"one", "two"});
    EXPECT_EQ(neon.First, 6); // the sequence is not restarted
    const int page = neon.NextPage();
    EXPECT_GE(page, static_cast<int>(neon.Lines.size())); // every row blank
    EXPECT_EQ(neon.NextPage(), 0);
}

TEST(VertNeon, SetLinesDropsEmptyLinesAndTrailingBlanksAndWraps) {
    TVertNeon neon;
    neon.SetLines({"  indented  \t", "", "    ", std::string(29, 'a') + " b", "end"});
    EXPECT_EQ(neon.Lines, (std::vector<std::string>{"  indented", std::string(29, 'a') + " ", "b", "end"}));
}

TEST(SplitTextLines, BreaksAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(SplitTextLines("AB\r\nCD"), (std::vector<std::string>{"AB", "CD"}));
    EXPECT_EQ(SplitTextLines("A\rB\nC\r\n"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(SplitTextLines("A\n\r\nB\n\n"), (std::vector<std::string>{"A", "", "B", ""}));
    EXPECT_EQ(SplitTextLines("\r\n"), (std::vector<std::string>{""}));
    EXPECT_TRUE(SplitTextLines("").empty());
}

TEST(SplitTextLines, ZeroByteEndsTheText) {
    EXPECT_EQ(SplitTextLines(std::string("AB\r\nC\0D\r\nE", 10)), (std::vector<std::string>{"AB", "C"}));
    EXPECT_EQ(SplitTextLines(std::string("AB\r\0\nE", 6)), (std::vector<std::string>{"AB"}));
    EXPECT_TRUE(SplitTextLines(std::string("\0AB", 3)).empty());
}

TEST(FeatureSwitch, OnIsTextModeFromTheStartOffBlanksTheRowsWithinTheScreen) {
    std::string sent;
    TKR7 device([&sent](const void* data, std::size_t size) { sent.append(static_cast<const char*>(data), size); });
    THorizNeon ticker;
    ticker.Position = 9;
    SwitchOn(device, ticker);
    EXPECT_EQ(ticker.Position, 0);
    EXPECT_EQ(ToHex(sent), "FF 00 01 01 00 00 00 00 00 02");
    sent.clear();
    SwitchOff(device, ticker);
    EXPECT_EQ(ToHex(sent.substr(0, 10)), "FF 00 04 00 08 1E 00 00 00 2A");
    EXPECT_EQ(sent.substr(10), std::string(30, ' '));

    TVertNeon pages;
    pages.First = 4;
    SwitchOn(device, pages);
    EXPECT_EQ(pages.First, 0);
    sent.clear();
    pages.PosY = 14; // a window reaching past the last row blanks rows 14 and 15 only
    SwitchOff(device, pages);
    EXPECT_EQ(sent.size(), 2u * 40);
    EXPECT_EQ(ToHex(sent.substr(40, 10)), "FF 00 04 00 0F 1E 00 00 00 31");
}
