// The window loads and saves its text pages as the text features' settings
// do (tests/models/text/TextSettingsTest.cpp holds their rules): the same
// keys, values and order for the same file.
#include "TextSettings.h"

#include "FakeSeams.h"
#include "IniFile.h"
#include "shell/Kr7unit1.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

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
        "[VertNeon]\r\nPosY=14\r\nHeight=2\r\n",
        "[VertNeon]\r\nPosY=3\r\nHeight=0\r\nLinesCount=4\r\n[VertNeonLines]\r\nLine0=first\r\n"
        "Line3=a line much longer than one row of the screen, broken at its blanks\r\nLine9=past the count\r\n",
        "[VertNeon]\r\nLinesCount=50\r\n[VertNeonLines]\r\nLine40=hello\r\nLine50=beyond\r\nLine041=padded\r\n",
        "[VertNeon]\r\nLinesCount=2147483647\r\n[VertNeonLines]\r\nLine2147483000=far\r\nLine1=near\r\n",
        "[VertNeon]\r\nLinesCount=2\r\nFileTime=3600\r\nFile=pages.txt\r\n[VertNeonLines]\r\nLine1=  \r\nline0=x\r\n",
    };
    for (const std::string& body : cases) {
        SCOPED_TRACE(body);
        EXPECT_EQ(SettingsSaved(head + body), WindowSaved(head + body));
    }
}

} // namespace
