// kr7ctl's text inputs through the real binary: the window's limits bound
// every one of them, and what is cut or replaced is said on stderr.
#include "Kr7ctlRunner.h"

#include <string>

namespace {

// kr7ctl with args, given ten seconds at most: an input it reads without
// bound never ends in time.
TRun Kr7ctlBounded(const QStringList& args) {
    return RunKr7ctl(args, {}, 10);
}

const std::string ROW_1 = "FF 00 04 00 00 1E 00 00 00 22 ";

// How much a text input may hold is the bounded reader's rule, for endless
// and huge inputs alike; kr7ctl stops at it and says so.
TEST(Kr7ctlTextInputTest, PagesReadNoMoreThanTheirLimit) {
    const TRun run = Kr7ctlBounded({"--dry-run", "pages", "/dev/zero"});
    EXPECT_EQ(run.status, EXIT_FILE);
    EXPECT_EQ(run.err, "kr7ctl: cannot read /dev/zero: larger than the 16 MiB the pages take\n");
    EXPECT_EQ(run.out, "");
}

TEST(Kr7ctlTextInputTest, ALongRowIsCutWithAWarning) {
    const TRun run = Kr7ctlBounded({"--dry-run", "text", "1", QString(35, u'x')});
    EXPECT_EQ(run.status, EXIT_DONE);
    EXPECT_EQ(run.err, "kr7ctl: warning: the text is 35 cells long; the row shows the first 30\n");
    std::string x30;
    for (int i = 0; i < 30; ++i)
        x30 += " 78";
    EXPECT_EQ(run.out, ROW_1 + x30.substr(1) + "\n");
    EXPECT_EQ(Kr7ctlBounded({"--dry-run", "text", "1", QString(30, u'x')}).err, "");
}

TEST(Kr7ctlTextInputTest, BytesThatAreNotUtf8AndCharactersWithoutACodeAreReplacedWithAWarning) {
    // An argument QProcess cannot pass: the shell's printf makes the bytes.
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  {"-c", "exec \"$0\" --dry-run text 1 \"$(printf 'a\\377b')\" text 2 \"€→\"", KR7CTL_PATH});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), EXIT_DONE);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "kr7ctl: warning: the text is not valid UTF-8; each invalid byte sequence became \"?\"\n"
              "kr7ctl: warning: 1 character(s) of the text have no Windows-1250 form; each became \"?\"\n");
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_EQ(out.substr(0, ROW_1.size() + 8), ROW_1 + "61 3F 62");
    EXPECT_NE(out.find("FF 00 04 00 01 1E 00 00 00 23 80 3F 20"), std::string::npos) << out;
}

TEST(Kr7ctlTextInputTest, MoreCodesThanACommandCarriesAreCutWithAWarning) {
    QStringList args{"--dry-run", "codes", "1", "1"};
    for (int i = 0; i < 300; ++i)
        args << QStringLiteral("41");
    const TRun run = Kr7ctlBounded(args);
    EXPECT_EQ(run.status, EXIT_DONE);
    EXPECT_EQ(run.err, "kr7ctl: warning: 300 codes given; one command carries 255, the rest are left out\n");
    EXPECT_EQ(run.out.substr(0, 30), "FF 00 06 00 00 FF 00 00 00 05 ");
    EXPECT_EQ(run.out.size(), (10 + 255) * 3u);
}

} // namespace
