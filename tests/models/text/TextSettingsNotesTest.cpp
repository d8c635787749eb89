// Settings values that cannot be used as stored are noted with the value
// taken instead, so that kr7ctl can say so.
#include "IniFile.h"
#include "TextSettings.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Notes(const std::string& file, TTextSettings& settings) {
    std::vector<TSettingNote> notes;
    settings.Load(TIniFile::FromBytes(file), &notes);
    std::vector<std::string> lines;
    for (const TSettingNote& note : notes)
        lines.push_back(note.section + " " + note.key + "=" + note.stored + " -> " + std::to_string(note.used));
    return lines;
}

TEST(TextSettingsNotes, EachUnusableValueIsNotedWithTheValueUsed) {
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

} // namespace
