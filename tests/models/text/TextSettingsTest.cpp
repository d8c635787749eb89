// The text features' settings read and written without a window: defaults,
// ranges, the stored page lines however sparse or outlandish, the bytes kept
// and each value not used as stored noted for kr7ctl.
#include "TextSettings.h"

#include "IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char c : bytes) {
        if (!hex.empty())
            hex += ' ';
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

TTextSettings Loaded(const std::string& file) {
    TTextSettings s;
    s.Load(TIniFile::FromBytes(file));
    return s;
}

std::vector<std::string> Notes(const std::string& file, TTextSettings& settings) {
    std::vector<TSettingNote> notes;
    settings.Load(TIniFile::FromBytes(file), &notes);
    std::vector<std::string> lines;
    for (const TSettingNote& note : notes)
        lines.push_back(note.section + " " + note.key + "=" + note.stored + " -> " + std::to_string(note.used));
    return lines;
}

} // namespace

TEST(TextSettings, ValuesOutsideTheControlsComeToTheirNearestEnd) {
    TTextSettings s = Loaded("[HorizNeon]\r\nInterval=500\r\nPosY=16\r\nFileTime=-5\r\n"
                             "[VertNeon]\r\nInterval=0\r\nPosY=13\r\nHeight=16\r\nFileTime=4000\r\n");
    EXPECT_EQ(s.Horiz.Interval, 100);
    EXPECT_EQ(s.Horiz.PosY, 15);
    EXPECT_EQ(s.Horiz.FileTime, 1);
    EXPECT_EQ(s.Vert.Interval, 1);
    EXPECT_EQ(s.Vert.PosY, 13);
    EXPECT_EQ(s.Vert.Height, 3);
    EXPECT_EQ(s.Vert.FileTime, 3599);

    // A row past the present bound: the height is restored first.
    s = Loaded("[VertNeon]\r\nPosY=100\r\nHeight=2\r\n");
    EXPECT_EQ(s.Vert.PosY, 14);
    EXPECT_EQ(s.Vert.Height, 2);
}

TEST(TextSettings, AMissingFileGivesTheWindowsStartingValues) {
    TTextSettings s;
    s.Horiz.Enabled = false;
    s.Vert.Lines = {"old"};
    s.Load(TIniFile::FromBytes(""));
    EXPECT_EQ(s.Horiz.Text, "");
    EXPECT_EQ(s.Horiz.Interval, 1);
    EXPECT_EQ(s.Horiz.PosY, 8);
    EXPECT_EQ(s.Horiz.FileTime, 30);
    EXPECT_TRUE(s.Horiz.Enabled);
    EXPECT_FALSE(s.Horiz.FileRead);
    EXPECT_TRUE(s.Vert.Lines.empty());
    EXPECT_EQ(s.Vert.Interval, 10);
    EXPECT_EQ(s.Vert.PosY, 12);
    EXPECT_EQ(s.Vert.Height, 3);
    EXPECT_FALSE(s.Vert.Enabled);
    EXPECT_FALSE(s.Vert.Center);
}

TEST(TextSettings, ARoundTripKeepsEveryValueAndByte) {
    TTextSettings s;
    s.Horiz = {"\xA0\xB9\x9C\xFF", 42, 3, 3599, "/srv/ticker \xB3.txt", true, false};
    s.Vert.Center = true;
    s.Vert.Lines = {"\xA5\xA0one", "two"};
    s.Vert.Interval = 100;
    s.Vert.PosY = 0;
    s.Vert.Height = 16;
    s.Vert.FileTime = 1;
    s.Vert.File = "pages.txt";
    s.Vert.FileRead = true;
    s.Vert.Enabled = true;
    TIniFile ini = TIniFile::FromBytes("");
    ASSERT_TRUE(s.Save(ini));

    const TTextSettings back = Loaded(ini.Bytes());
    EXPECT_EQ(Hex(back.Horiz.Text), "A0 B9 9C FF");
    EXPECT_EQ(Hex(back.Horiz.File), Hex(s.Horiz.File));
    EXPECT_EQ(back.Horiz.Interval, 42);
    EXPECT_EQ(back.Horiz.PosY, 3);
    EXPECT_EQ(back.Horiz.FileTime, 3599);
    EXPECT_TRUE(back.Horiz.FileRead);
    EXPECT_FALSE(back.Horiz.Enabled);
    ASSERT_EQ(back.Vert.Lines.size(), 2u);
    EXPECT_EQ(Hex(back.Vert.Lines[0]), "A5 A0 6F 6E 65");
    EXPECT_EQ(back.Vert.Lines[1], "two");
    EXPECT_TRUE(back.Vert.Center);
    EXPECT_EQ(back.Vert.Interval, 100);
    EXPECT_EQ(back.Vert.PosY, 0);
    EXPECT_EQ(back.Vert.Height, 16);
    EXPECT_EQ(back.Vert.FileTime, 1);
    EXPECT_EQ(back.Vert.File, "pages.txt");
    EXPECT_TRUE(back.Vert.FileRead);
    EXPECT_TRUE(back.Vert.Enabled);

    TIniFile again = TIniFile::FromBytes("");
    ASSERT_TRUE(back.Save(again));
    EXPECT_EQ(again.Bytes(), ini.Bytes());
}

TEST(TextSettings, TheTickerTextIsSavedWithoutItsBlanks) {
    TTextSettings s;
    s.Horiz.Text = " \t\xB9 x \x01";
    TIniFile ini = TIniFile::FromBytes("");
    ASSERT_TRUE(s.Save(ini));
    const std::string bytes = ini.Bytes();
    const std::size_t at = bytes.find("Text=") + 5;
    EXPECT_EQ(Hex(bytes.substr(at, bytes.find("\r\n", at) - at)), "B9 20 78");
}

TEST(TextSettings, FewerPageLinesSavedLeaveNoOldLineKeys) {
    TTextSettings s;
    s.Vert.Lines = {"1", "2", "3", "4", "5"};
    TIniFile ini = TIniFile::FromBytes("");
    ASSERT_TRUE(s.Save(ini));
    s.Vert.Lines = {"x", "y"};
    ASSERT_TRUE(s.Save(ini));
    EXPECT_EQ(ini.ReadInteger("VertNeon", "LinesCount", 0), 2);
    EXPECT_EQ(ini.ReadString("VertNeonLines", "Line1", "?"), "y");
    EXPECT_EQ(ini.Bytes().find("Line2="), std::string::npos);
    EXPECT_EQ(ini.Bytes().find("Line4="), std::string::npos);
}

TEST(TextSettings, OutlandishLineCountsReadOnlyTheKeysPresent) {
    EXPECT_EQ(Loaded("[VertNeon]\r\nLinesCount=2000000000\r\n[VertNeonLines]\r\nLine0=one\r\nLine1=two\r\n").Vert.Lines,
              (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(Loaded("[VertNeon]\r\nLinesCount=-5\r\n[VertNeonLines]\r\nLine0=one\r\n").Vert.Lines.empty());
    // A huge count and a huge index cost no more than the keys present.
    EXPECT_EQ(Loaded("[VertNeon]\r\nLinesCount=2147483647\r\n[VertNeonLines]\r\nLine2147483000=far\r\nLine1=near\r\n")
                  .Vert.Lines,
              (std::vector<std::string>{"near", "far"}));
}

TEST(TextSettings, ASparseLineSectionKeepsItsLinesAndSavesThemCompacted) {
    const std::string file = "[VertNeon]\r\nLinesCount=50\r\n[VertNeonLines]\r\nLine40=hello\r\n"
                             "Line50=beyond the count\r\nLine041=padded\r\n";
    // The editor shows the missing keys as empty lines; the pages skip them.
    const TIniFile ini = TIniFile::FromBytes(file);
    EXPECT_EQ(StoredPageText(ini.ReadSection("VertNeonLines"), 50), std::string(40, '\n') + "hello");
    TTextSettings s = Loaded(file);
    EXPECT_EQ(s.Vert.Lines, (std::vector<std::string>{"hello"}));
    TIniFile saved = TIniFile::FromBytes("");
    ASSERT_TRUE(s.Save(saved));
    EXPECT_EQ(saved.ReadInteger("VertNeon", "LinesCount", 0), 1);
    EXPECT_EQ(saved.ReadString("VertNeonLines", "Line0", ""), "hello");
}

TEST(TextSettings, EachUnusableValueIsNotedWithTheValueUsed) {
    TTextSettings settings;
    EXPECT_EQ(Notes("[HorizNeon]\r\nInterval=2O\r\nPosY=99\r\nFileTime=30\r\nEnabled=yes\r\nFileRead=1\r\n"
                    "[VertNeon]\r\nHeight=0\r\nPosY=12\r\nCenter=2\r\nInterval=0x10\r\n",
                    settings),
              (std::vector<std::string>{"HorizNeon Interval=2O -> 1", "HorizNeon PosY=99 -> 15",
                                        "HorizNeon Enabled=yes -> 1", "VertNeon Height=0 -> 1"}));
    EXPECT_EQ(settings.Horiz.Interval, 1);
    EXPECT_EQ(settings.Horiz.PosY, 15);
    EXPECT_TRUE(settings.Vert.Center);
    EXPECT_EQ(settings.Vert.Interval, 16);
    // A window that does not fit is brought within the screen as its bars bring it.
    EXPECT_EQ(Notes("[VertNeon]\r\nPosY=14\r\nHeight=5\r\n", settings),
              (std::vector<std::string>{"VertNeon Height=5 -> 2"}));
    EXPECT_TRUE(Notes("", settings).empty());
}
