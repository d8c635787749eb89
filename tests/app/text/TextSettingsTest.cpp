// The text features' settings read and written without a window: the same
// keys, values and order as the window's own load and save of the same file.
#include "TextSettings.h"

#include "FakeSeams.h"
#include "IniFile.h"
#include "shell/Kr7unit1.h"

#include <QFile>
#include <QTemporaryDir>

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

// The text sections of a settings file in file order, blank lines left out.
std::string TextSections(const std::string& file) {
    std::string kept;
    bool keep = false;
    std::size_t from = 0;
    while (from < file.size()) {
        std::size_t to = file.find("\r\n", from);
        to = to == std::string::npos ? file.size() : to + 2;
        const std::string line = file.substr(from, to - from);
        from = to;
        if (line.starts_with("["))
            keep = line.starts_with("[HorizNeon]") || line.starts_with("[VertNeon]") ||
                   line.starts_with("[VertNeonLines]");
        if (keep && line != "\r\n")
            kept += line;
    }
    return kept;
}

// What the window writes back for its text pages after starting from file.
std::string WindowSaved(const std::string& file) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KR7Controller.ini"));
    {
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file.data(), static_cast<qint64>(file.size()));
    }
    {
        TFakeDialogs dialogs;
        TFakePlatform platform;
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
    }
    QFile in(path);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    return TextSections(in.readAll().toStdString());
}

std::string SettingsSaved(const std::string& file) {
    TIniFile ini = TIniFile::FromBytes(file);
    TTextSettings settings;
    settings.Load(ini);
    EXPECT_TRUE(settings.Save(ini));
    return TextSections(ini.Bytes());
}

TEST(TextSettingsTest, LoadAndSaveWriteWhatTheWindowWritesForTheSameFile) {
    const std::string head = "[Settings]\r\nConnected=0\r\n";
    const std::string cases[] = {
        "",
        "[HorizNeon]\r\nText=  \xB9 ticker \xA0\r\nInterval=500\r\nPosY=-3\r\nFileTime=0\r\nFile=/tmp/t\xEA.txt\r\n"
        "Enabled=0\r\n",
        "[HorizNeon]\r\nInterval=0x0A\r\nPosY=99\r\nFileTime=9999\r\n[VertNeon]\r\nPosY=20\r\nHeight=16\r\n",
        "[VertNeon]\r\nPosY=15\r\nHeight=5\r\nInterval=-1\r\nCenter=2\r\n",
        "[VertNeon]\r\nPosY=7\r\nHeight=3\r\n",
        "[VertNeon]\r\nPosY=7\r\nHeight=16\r\n",
        "[VertNeon]\r\nPosY=3\r\nHeight=0\r\nLinesCount=4\r\n[VertNeonLines]\r\nLine0=first\r\n"
        "Line3=a line much longer than one row of the screen, broken at its blanks\r\nLine9=past the count\r\n",
        "[VertNeon]\r\nLinesCount=2\r\nFileTime=3600\r\nFile=pages.txt\r\n[VertNeonLines]\r\nLine1=  \r\nline0=x\r\n",
    };
    for (const std::string& body : cases) {
        SCOPED_TRACE(body);
        EXPECT_EQ(SettingsSaved(head + body), WindowSaved(head + body));
    }
}

TEST(TextSettingsTest, ValuesOutsideTheControlsComeToTheirNearestEnd) {
    TTextSettings s;
    s.Load(TIniFile::FromBytes("[HorizNeon]\r\nInterval=500\r\nPosY=16\r\nFileTime=-5\r\n"
                               "[VertNeon]\r\nInterval=0\r\nPosY=13\r\nHeight=16\r\nFileTime=4000\r\n"));
    EXPECT_EQ(s.Horiz.Interval, 100);
    EXPECT_EQ(s.Horiz.PosY, 15);
    EXPECT_EQ(s.Horiz.FileTime, 1);
    EXPECT_EQ(s.Vert.Interval, 1);
    EXPECT_EQ(s.Vert.PosY, 13);
    EXPECT_EQ(s.Vert.Height, 3);
    EXPECT_EQ(s.Vert.FileTime, 3599);

    // A row past the present bound: the height is restored first.
    s.Load(TIniFile::FromBytes("[VertNeon]\r\nPosY=100\r\nHeight=2\r\n"));
    EXPECT_EQ(s.Vert.PosY, 14);
    EXPECT_EQ(s.Vert.Height, 2);
}

TEST(TextSettingsTest, AMissingFileGivesTheWindowsStartingValues) {
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

TEST(TextSettingsTest, ARoundTripKeepsEveryValueAndByte) {
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

    TTextSettings back;
    back.Load(TIniFile::FromBytes(ini.Bytes()));
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

TEST(TextSettingsTest, TheTickerTextIsSavedWithoutItsBlanks) {
    TTextSettings s;
    s.Horiz.Text = " \t\xB9 x \x01";
    TIniFile ini = TIniFile::FromBytes("");
    ASSERT_TRUE(s.Save(ini));
    const std::string bytes = ini.Bytes();
    const std::size_t at = bytes.find("Text=") + 5;
    EXPECT_EQ(Hex(bytes.substr(at, bytes.find("\r\n", at) - at)), "B9 20 78");
}

} // namespace
