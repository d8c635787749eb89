#include "IniFile.h"

#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <climits>
#include <csignal>

namespace {

// Writes past limit bytes into any file fail (EFBIG) while this lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = previous_;
        lower.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

struct IniFileTest : ::testing::Test, TTempFolder {
    QString path = Path("KR7Controller.ini");

    void Put(const QByteArray& bytes) const { Write("KR7Controller.ini", bytes); }
    QByteArray Contents() const { return Read(path); }
};

} // namespace

TEST_F(IniFileTest, AMissingFileGivesDefaultsAndASaveCreatesIt) {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settings", "Port", "COM1"), "COM1");
    EXPECT_EQ(ini.ReadInteger("Settings", "Left", -7), -7);
    EXPECT_TRUE(ini.ReadBool("HorizNeon", "Enabled", true));
    EXPECT_FALSE(ini.SectionExists("Settings"));
    EXPECT_TRUE(ini.EraseSection("VertNeonLines"));
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(ini.WriteString("Settings", "Port", "COM3"));
    ASSERT_TRUE(ini.WriteBool("Settings", "Connected", true));
    ASSERT_TRUE(ini.WriteInteger("Settings", "ActivePageIndex", 2));
    ASSERT_TRUE(ini.WriteString("HorizNeon", "Text", "abc"));
    // In place, then appended to its own section ahead of the blank line.
    ASSERT_TRUE(ini.WriteBool("Settings", "Connected", false));
    ASSERT_TRUE(ini.WriteInteger("Settings", "Left", -5));
    // The writes stay in memory until the one save.
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Contents(), "[Settings]\r\nPort=COM3\r\nConnected=0\r\nActivePageIndex=2\r\nLeft=-5\r\n"
                          "\r\n[HorizNeon]\r\nText=abc\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KR7Controller.ini"});

    const TIniFile again(path);
    EXPECT_EQ(again.ReadString("settings", "PORT", ""), "COM3");
    EXPECT_FALSE(again.ReadBool("Settings", "Connected", true));
    EXPECT_EQ(again.ReadInteger("Settings", "Left", 0), -5);
    EXPECT_TRUE(again.SectionExists("HORIZNEON"));
}

TEST_F(IniFileTest, ReadsLikeAWindowsProfileFile) {
    Put("Port=COM8\n" // before any section: not a key of Settings
        "; comment\n"
        "[ settings ]\r\n"
        "  PORT =  COM7  \r"
        ";Connected=1\r"
        "\tLeft\t=\t12\t\n"
        "port=COM9\n" // the first of two wins
        "no equals sign\n"
        "=orphan\n"
        "[Other]\n"
        "Top=3\n"
        "[Settings]\n" // a second copy of a section is not read
        "Top=4");
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), "COM7");
    EXPECT_FALSE(ini.ReadBool("Settings", "Connected", false));
    EXPECT_EQ(ini.ReadInteger("Settings", "Left", 0), 12);
    EXPECT_EQ(ini.ReadInteger("Settings", "Top", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Other", "Top", -1), 3);
    EXPECT_EQ(ini.ReadString("Settings", "", "d"), "d");
    EXPECT_EQ(ini.ReadString("Settings", "no equals sign", "d"), "d");
}

TEST_F(IniFileTest, IntegersAndBools) {
    const std::pair<const char*, int> cases[] = {
        {"42", 42},
        {"-42", -42},
        {"+7", 7},
        {"0x1F", 31},
        {"0XfF", 255},
        {"0xFFFFFFFF", -1},
        {"-0x10", -16},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"007", 7},
        {"yes", 99},
        {"12abc", 99},
        {"", 99},
        {"2147483648", 99},
        {"-2147483649", 99},
        {"0x100000000", 99},
        {"0x", 99},
        {"- 5", 99},
        {"1 2", 99},
        {"0xG", 99},
        {"1e3", 99},
        {"99999999999999999999999", 99},
    };
    QByteArray file = "[S]\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        file += "K" + QByteArray::number(static_cast<int>(i)) + "=" + cases[i].first + "\n";
    file += "Yes=yes\nTwo=2\nZero=0\nHexZero=0x0\nEmpty=\n";
    Put(file);
    const TIniFile ini(path);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("S", "K" + std::to_string(i), 99), cases[i].second) << cases[i].first;
    EXPECT_FALSE(ini.ReadBool("S", "Yes", false));
    EXPECT_TRUE(ini.ReadBool("S", "Yes", true));
    EXPECT_TRUE(ini.ReadBool("S", "Two", false));
    EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
    EXPECT_FALSE(ini.ReadBool("S", "HexZero", true));
    EXPECT_TRUE(ini.ReadBool("S", "Empty", true));
    EXPECT_EQ(ini.ReadString("S", "Empty", "d"), "");

    TIniFile out(path);
    ASSERT_TRUE(out.WriteInteger("S", "Min", INT_MIN));
    ASSERT_TRUE(out.WriteBool("S", "On", true));
    ASSERT_TRUE(out.Save());
    EXPECT_TRUE(Contents().endsWith("Min=-2147483648\r\nOn=1\r\n"));
}

TEST_F(IniFileTest, StringsKeepTheirBytesUpTo2047) {
    TIniFile ini(path);
    const std::string polish = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"; // "Zażółć gęślą jaźń"
    ASSERT_TRUE(ini.WriteString("HorizNeon", "Text", polish));
    ASSERT_TRUE(ini.WriteString("HorizNeon", "Long", std::string(3000, 'x')));
    ASSERT_TRUE(ini.WriteString("HorizNeon", "Blanks", "  both sides  "));
    ASSERT_TRUE(ini.Save());
    EXPECT_TRUE(Contents().contains(QByteArray::fromStdString("Text=" + polish + "\r\n")));

    const TIniFile again(path);
    EXPECT_EQ(again.ReadString("HorizNeon", "Text", ""), polish);
    EXPECT_EQ(again.ReadString("HorizNeon", "Long", ""), std::string(2047, 'x'));
    EXPECT_EQ(again.ReadString("HorizNeon", "Blanks", ""), "both sides");
}

TEST_F(IniFileTest, AValueCannotBreakOutOfItsLine) {
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteString("HorizNeon", "File", "a\r\n[Settings]\nPort=COM9\r"));
    ASSERT_TRUE(ini.Save());
    const TIniFile again(path);
    EXPECT_FALSE(again.SectionExists("Settings"));
    EXPECT_EQ(again.ReadString("HorizNeon", "File", ""), "a  [Settings] Port=COM9");
    EXPECT_FALSE(ini.WriteString("Bad]", "Key", "v"));
    EXPECT_FALSE(ini.WriteString("S", "Key=1", "v"));
    EXPECT_FALSE(ini.WriteString("S", "", "v"));
    EXPECT_FALSE(ini.WriteString("S\n", "Key", "v"));
}

TEST_F(IniFileTest, EraseSectionRemovesEveryCopyAndKeepsTheRest) {
    Put("; top\n[VertNeon]\nLinesCount=5\n\n[VertNeonLines]\nLine0=a\n; note\nLine1=b\n\n"
        "[Logo]\nLoaded=0\n[vertneonlines]\nLine4=e\n");
    TIniFile ini(path);
    ASSERT_TRUE(ini.EraseSection("VertNeonLines"));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Contents(), "; top\r\n[VertNeon]\r\nLinesCount=5\r\n\r\n[Logo]\r\nLoaded=0\r\n");
    EXPECT_FALSE(ini.SectionExists("VertNeonLines"));
    EXPECT_EQ(ini.ReadString("VertNeonLines", "Line4", "gone"), "gone");
    ASSERT_TRUE(ini.WriteString("VertNeonLines", "Line0", "x"));
    ASSERT_TRUE(ini.Save());
    EXPECT_TRUE(Contents().endsWith("Loaded=0\r\n\r\n[VertNeonLines]\r\nLine0=x\r\n"));
}

TEST_F(IniFileTest, SavesFailWithoutHarm) {
    // The folder is a file: nothing can be created in it.
    Put("[Settings]\nPort=COM2\n");
    TIniFile blocked(path + "/KR7Controller.ini");
    EXPECT_TRUE(blocked.WriteString("Settings", "Port", "COM3"));
    EXPECT_FALSE(blocked.Save());
    EXPECT_EQ(Contents(), "[Settings]\nPort=COM2\n");

    // A settings "file" that cannot be read is not replaced.
    const QString folder = dir.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    TIniFile notAFile(folder);
    EXPECT_EQ(notAFile.ReadString("Settings", "Port", "COM1"), "COM1");
    EXPECT_TRUE(notAFile.WriteString("Settings", "Port", "COM3"));
    EXPECT_FALSE(notAFile.Save());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A save cut short after its first write (here by the file size limit, as
// a full disk would) leaves the old file whole; the next save writes the new
// one whole. No temporary file is left beside it.
TEST_F(IniFileTest, ASaveInterruptedAfterItsFirstWriteLeavesTheOldFileWhole) {
    const QByteArray old("[Settings]\r\nPort=COM2\r\n");
    Put(old);
    TIniFile ini(path);
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(ini.WriteInteger("VertNeonLines", "Line" + std::to_string(i), i));
    const std::string full = ini.Bytes();
    {
        const TFileSizeLimit limit(1024);
        EXPECT_FALSE(ini.Save());
    }
    EXPECT_EQ(Contents(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KR7Controller.ini"});
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Contents().toStdString(), full);
}

TEST_F(IniFileTest, SurvivesGarbageAndSize) {
    QByteArray junk;
    for (int i = 0; i < 70000; ++i)
        junk.append(static_cast<char>((i * 7919) % 256));
    junk.append(QByteArray(1 << 20, 'y'));                 // one line of a megabyte
    const char settings[] = "\n[Settings]\nPort=CO\0M4\n"; // a NUL inside a value
    junk.append(settings, sizeof settings - 1);
    for (int i = 0; i < 10000; ++i)
        junk.append("[S" + QByteArray::number(i) + "]\nK=" + QByteArray::number(i) + "\n");
    Put(junk);

    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), std::string("CO\0M4", 5));
    EXPECT_EQ(ini.ReadInteger("S9999", "K", -1), 9999);
    ASSERT_TRUE(ini.WriteInteger("S5000", "K", -1));
    ASSERT_TRUE(ini.WriteInteger("S5000", "New", 1));
    ASSERT_TRUE(ini.Save());

    const TIniFile again(path);
    EXPECT_EQ(again.ReadInteger("S5000", "K", 0), -1);
    EXPECT_EQ(again.ReadInteger("S5000", "New", 0), 1);
    EXPECT_EQ(again.ReadInteger("S5001", "K", 0), 5001);
    EXPECT_EQ(again.ReadInteger("S4999", "K", 0), 4999);
    EXPECT_EQ(again.ReadString("Settings", "Port", ""), std::string("CO\0M4", 5));
    EXPECT_EQ(Contents().count("\r\n"), Contents().count('\n'));
}

TEST_F(IniFileTest, AHugeLineInsideASectionHidesNoKeyAfterIt) {
    Put("[Settings]\r\nPort=COM7\r\n" + QByteArray(1 << 20, 'Q') +
        "\r\nActivePageIndex=2\r\n[HorizNeon]\r\nText=" + QByteArray(1 << 20, 'T') + "\r\n");
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), "COM7");
    EXPECT_EQ(ini.ReadInteger("Settings", "ActivePageIndex", 0), 2);
    EXPECT_EQ(ini.ReadString("HorizNeon", "Text", ""), std::string(2047, 'T'));
}

TEST_F(IniFileTest, WholeSectionsAreWrittenAndReadInOnePass) {
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteInteger("VertNeon", "LinesCount", 2));
    ASSERT_TRUE(ini.WriteSection("VertNeonLines", {{"Line0", "ab"}, {"Line1", " cd "}}));
    ASSERT_TRUE(ini.WriteInteger("VertNeon", "Interval", 10));
    // Same bytes as one WriteString a key.
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Contents(),
              "[VertNeon]\r\nLinesCount=2\r\nInterval=10\r\n\r\n[VertNeonLines]\r\nLine0=ab\r\nLine1= cd \r\n");
    ASSERT_TRUE(ini.WriteSection("VertNeonLines", {{"LINE1", "x"}, {"Line2", "y"}, {"Line2", "z"}}));
    ASSERT_TRUE(ini.Save());
    const auto values = TIniFile(path).ReadSection("vertneonlines");
    ASSERT_EQ(values.size(), 3U);
    EXPECT_EQ(values.at("line0"), "ab");
    EXPECT_EQ(values.at("line1"), "x");
    EXPECT_EQ(values.at("line2"), "z");
    EXPECT_TRUE(TIniFile(path).ReadSection("Missing").empty());

    // Thirty thousand lines in one write stay quick and come back whole.
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 30000; ++i)
        many.emplace_back("Line" + std::to_string(i), std::string(20, 'a' + i % 26));
    ASSERT_TRUE(ini.EraseSection("VertNeonLines"));
    ASSERT_TRUE(ini.WriteSection("VertNeonLines", many));
    ASSERT_TRUE(ini.Save());
    const auto back = TIniFile(path).ReadSection("VertNeonLines");
    ASSERT_EQ(back.size(), many.size());
    EXPECT_EQ(back.at("line29999"), many.back().second);
}

TEST_F(IniFileTest, BytesInMemoryReadAsTheSameFileWouldAndWritesStayInMemory) {
    const QByteArray bytes("[Settings]\rPort = COM4 \n\n[HorizNeon]\r\nText=\xB9\xE6\r\nInterval=0x10");
    Put(bytes);
    const TIniFile file(path);
    TIniFile memory = TIniFile::FromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // Every line comes back with CR LF, the file read and the bytes alike.
    const std::string lines = "[Settings]\r\nPort = COM4 \r\n\r\n[HorizNeon]\r\nText=\xB9\xE6\r\nInterval=0x10\r\n";
    EXPECT_EQ(file.Bytes(), lines);
    EXPECT_EQ(memory.Bytes(), lines);
    EXPECT_EQ(memory.ReadString("horizneon", "TEXT", ""), "\xB9\xE6");
    EXPECT_EQ(memory.ReadInteger("HorizNeon", "Interval", 0), 16);
    EXPECT_TRUE(memory.Path().isEmpty());

    ASSERT_TRUE(memory.WriteInteger("Settings", "Connected", 1));
    ASSERT_TRUE(memory.WriteString("Logo", "Loaded", "1"));
    ASSERT_TRUE(memory.EraseSection("HorizNeon"));
    EXPECT_EQ(memory.Bytes(), "[Settings]\r\nPort = COM4 \r\nConnected=1\r\n\r\n[Logo]\r\nLoaded=1\r\n");
    // The file it was copied from is left alone, and no file appears.
    EXPECT_EQ(Contents(), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KR7Controller.ini"});
    EXPECT_EQ(TIniFile::FromBytes("").Bytes(), "");
}

TEST_F(IniFileTest, ReadsFindTheFirstOfEqualSectionsAndFollowEveryChange) {
    TIniFile ini = TIniFile::FromBytes("[Logo]\nPosX=1\n[ logo ]\nPosX=2\nPosY=3\n[Settings\nPort=COM2\n[]\nA=4\n");
    // The first copy of a section is the one read; a later copy is not
    // merged into it, and a header without "]" still starts a section.
    EXPECT_EQ(ini.ReadInteger("LOGO", "PosX", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Logo", "PosY", 0), 0);
    EXPECT_EQ(ini.ReadSection("logo").size(), 1u);
    EXPECT_EQ(ini.ReadString(" settings ", "port", ""), "COM2");
    EXPECT_EQ(ini.ReadInteger("", "a", 0), 4);

    // Every write moves the lines below it; reads keep finding their keys.
    ASSERT_TRUE(ini.WriteString("Logo", "Level", "7"));
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), "COM2");
    EXPECT_EQ(ini.ReadInteger("Logo", "Level", 0), 7);
    ASSERT_TRUE(ini.EraseSection("logo"));
    EXPECT_FALSE(ini.SectionExists("Logo"));
    EXPECT_EQ(ini.ReadInteger("Logo", "PosX", 0), 0);
    EXPECT_EQ(ini.ReadInteger("", "A", 0), 4);
    ASSERT_TRUE(ini.WriteString("Logo", "PosX", "9"));
    EXPECT_EQ(ini.ReadInteger("Logo", "PosX", 0), 9);
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), "COM2");

    // A file read again finds what the last write left.
    Put("[A]\r\nk=1\r\n");
    TIniFile file(path);
    ASSERT_TRUE(file.WriteString("B", "k", "2"));
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(TIniFile(path).ReadInteger("b", "K", 0), 2);
    EXPECT_EQ(file.ReadInteger("A", "k", 0), 1);
}
