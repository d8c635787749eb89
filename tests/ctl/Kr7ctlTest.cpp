// kr7ctl's one-shot actions against the window's clicks for the same
// action, and its port handling. Its refusals: Kr7ctlRefusalTest.
#include "COMSocket.h"
#include "Kr7ctlWindow.h"

#include <QFile>
#include <QImage>

#include <chrono>
#include <string>

namespace {

class Kr7ctlTest : public Kr7ctlWindowFixture {
protected:
    void SetUp() override { OpenWindow(false); }

    // A click on the named screen button sends what kr7ctl's dry run of args prints.
    void ExpectClickSendsAsKr7ctl(const char* button, const std::vector<std::string>& args) {
        const std::string expected = DryRunHex(args);
        auto* widget = form->findChild<QPushButton*>(button);
        ASSERT_NE(widget, nullptr) << button;
        EXPECT_EQ(ClickHex(widget, expected), expected) << button;
    }
};

TEST_F(Kr7ctlTest, ScreenActionsSendTheWindowsFrames) {
    ExpectClickSendsAsKr7ctl("ButtonClrScr", {"clear"});
    ExpectClickSendsAsKr7ctl("ButtonSaveScreen", {"store"});
    ExpectClickSendsAsKr7ctl("ButtonSetCrossMode", {"celownik"});
    ExpectClickSendsAsKr7ctl("ButtonSetTextMode", {"tekst"});
    EXPECT_EQ(DryRunHex({"clear"}), "FF 00 03 00 00 00 00 00 00 03");
    EXPECT_EQ(DryRunHex({"mode", "cross", "mode", "text", "cross", "359", "143"}),
              "FF 00 01 00 00 00 00 00 00 01 FF 00 01 01 00 00 00 00 00 02 FF 00 00 01 67 00 8F 00 00 F7");
}

TEST_F(Kr7ctlTest, TextAndCodesRowsAreWhatThePagesSend) {
    // Polish letters in Windows-1250, padded to the 30 cells of a row, centred.
    EXPECT_EQ(DryRunHex({"text", "1", "Zażółć", "--centre"}),
              "FF 00 04 00 00 1E 00 00 00 22 20 20 20 20 20 20 20 20 20 20 20 20 5A 61 BF F3 B3 E6 20 20 20 20 20 20 "
              "20 20 20 20 20 20");
    EXPECT_EQ(DryRunHex({"codes", "16", "30", "00", "ff", "clear"}),
              "FF 00 06 1D 0F 02 00 00 00 34 00 FF FF 00 03 00 00 00 00 00 00 03");
}

TEST_F(Kr7ctlTest, PagesShowEveryPageOnceInTheirRows) {
    const std::string hex =
        DryRunHex({"pages", WriteFile("pages.txt", "one\r\ntwo\nthree\n"), "--row", "3", "--height", "2"});
    const std::string blank = "20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20";
    EXPECT_EQ(hex, "FF 00 01 01 00 00 00 00 00 02 "
                   "FF 00 04 00 02 1E 00 00 00 24 6F 6E 65 " +
                       blank + " FF 00 04 00 03 1E 00 00 00 25 74 77 6F " + blank +
                       " FF 00 04 00 02 1E 00 00 00 24 74 68 72 65 65 " + blank.substr(6) +
                       " FF 00 04 00 03 1E 00 00 00 25 20 20 20 " + blank);
}

TEST_F(Kr7ctlTest, PortsAreOpenedAsTheWindowOpensThem) {
    UserInput::SetChecked(TWindowControls(*form).CheckBoxConnect, false);
    TRun run = Kr7ctl({"--port", pty.Name(), "clear", "tekst"});
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    const std::string expected = DryRunHex({"clear", "tekst"});
    EXPECT_EQ(TakeHex(expected), expected);

    TCOMSocket holder; // another program holds the port
    ASSERT_TRUE(holder.SelectPort(pty.Name()));
    holder.SetBaudRate(2400);
    ASSERT_TRUE(holder.Open());
    run = Kr7ctl({"--port", pty.Name(), "clear"});
    EXPECT_EQ(run.status, EXIT_PORT);
    // The holder is named: here this very test program.
    EXPECT_EQ(run.err.rfind("kr7ctl: cannot open port " + pty.Name() + ": the port is in use by another program: ", 0),
              0u)
        << run.err;
    EXPECT_NE(run.err.find(" (PID " + std::to_string(::getpid()) + ")"), std::string::npos) << run.err;
    EXPECT_EQ(Kr7ctl({"--port", "COM9", "clear"}).status, EXIT_PORT);
}

TEST_F(Kr7ctlTest, ItReturnsOnceTheLineHasCarriedTheFrames) {
    // Three glyphs are 192 bytes, 0.8 s at 2400 baud, far less than the
    // driver's queue takes at once.
    UserInput::SetChecked(TWindowControls(*form).CheckBoxConnect, false);
    const std::string set = File("set.bmp");
    ASSERT_TRUE(form->DefaultChars().save(QString::fromStdString(set), "BMP"));
    const auto start = std::chrono::steady_clock::now();
    const TRun run = Kr7ctl({"--port", pty.Name(), "glyph", "1", set, "glyph", "2", set, "glyph", "3", set});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_GE(took, std::chrono::milliseconds(750));
    EXPECT_EQ(TakeHex(std::string(192 * 3 - 1, ' ')).size(), 192u * 3 - 1);
}

TEST_F(Kr7ctlTest, PortsAreListedWithTheirDevice) {
    TRun run = Kr7ctl({"ports", "--json"});
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_NE(run.out.find("{\"name\":\"" + pty.Name() + "\",\"device\":\"" + pty.SlavePath() +
                           "\",\"manufacturer\":\"\",\"product\":\"\",\"serial\":\"\"}"),
              std::string::npos)
        << run.out;
    run = Kr7ctl({"ports"});
    EXPECT_NE(run.out.find(pty.Name() + "\t" + pty.SlavePath() + "\n"), std::string::npos) << run.out;
}

TEST_F(Kr7ctlTest, LogoTooLargeForTheTilesIsRefused) {
    // Noise in every cell needs far more than 141 tiles.
    QImage noise(360, 288, QImage::Format_RGB32);
    for (int y = 0; y < 288; ++y)
        for (int x = 0; x < 360; ++x)
            noise.setPixel(x, y, ((x * 7 + y * 13) ^ (x * y)) % 3 == 0 ? 0xFFFFFFFF : 0xFF000000);
    ASSERT_TRUE(noise.save(Path("noise.bmp"), "BMP"));
    TRun run = Kr7ctl({"--dry-run", "logo", File("noise.bmp"), "--program"});
    EXPECT_EQ(run.status, EXIT_LOGO_TOO_BIG);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kr7ctl: the logo needs more than 141 glyphs; make it smaller\n");
}

TEST_F(Kr7ctlTest, LogoMixingWithASeedRepeatsByteForByte) {
    QImage grey(120, 60, QImage::Format_RGB32);
    grey.fill(qRgb(127, 127, 128));
    ASSERT_TRUE(grey.save(Path("grey.bmp"), "BMP"));
    const std::vector<std::string> args = {"--dry-run", "logo", File("grey.bmp"), "--mode", "mix", "--program"};
    std::vector<std::string> seeded = args;
    seeded.insert(seeded.end(), {"--seed", "7"});
    const TRun first = Kr7ctl(seeded);
    EXPECT_EQ(first.status, EXIT_DONE) << first.err;
    EXPECT_EQ(Kr7ctl(seeded).out, first.out);
    seeded.back() = "8";
    EXPECT_NE(Kr7ctl(seeded).out, first.out);
}

// Every refusal: its status and its one line, and a "clear" before the bad
// part never goes out. Which values each reader takes is tested on the
// readers (tests/common, tests/models); here each kind of reason once.
class Kr7ctlRefusalTest : public Kr7ctlFixture {};

TEST_F(Kr7ctlRefusalTest, EachRefusalHasItsStatusAndOneLineAndNothingIsSent) {
    const std::string folder = dir.path().toStdString();
    const std::string port = pty.Name();
    const std::string shortSet = WriteFile("short.bin", QByteArray(100, '\0'));
    const std::string cut = WriteFile("cut.png", QByteArray("\x89PNG\r\n\x1a\n", 8));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(Path("real.png"), "PNG"));
    const std::string pngBmp = WriteFile("png.bmp", Read(Path("real.png")));
    const std::string settings = WriteFile("ticker.ini", "[HorizNeon]\r\nText=x\r\nEnabled=1\r\n");
    struct TCase {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    for (const TCase& c : std::vector<TCase>{
             {{"--port", port, "clear", "text", "17", "x"},
              EXIT_USAGE,
              "kr7ctl: row must be a number from 1 to 16, not \"17\" (see kr7ctl --help)\n"},
             {{"frobnicate"}, EXIT_USAGE, "kr7ctl: unknown action \"frobnicate\" (see kr7ctl --help)\n"},
             {{}, EXIT_USAGE, "kr7ctl: no action given (see kr7ctl --help)\n"},
             {{"mode", "sideways"},
              EXIT_USAGE,
              "kr7ctl: mode must be text or cross, not \"sideways\" (see kr7ctl --help)\n"},
             {{"--dry-run", "--out", File("frames.bin"), "clear"},
              EXIT_USAGE,
              "kr7ctl: --dry-run prints the frames and --out writes them to a file: give one of them (see kr7ctl "
              "--help)\n"},
             {{"--dry-run", "run"},
              EXIT_USAGE,
              "kr7ctl: run takes no other action, --dry-run or --out (see kr7ctl --help)\n"},
             {{"--port", port, "clear", "glyphs", File("missing.bin")},
              EXIT_FILE,
              "kr7ctl: cannot read glyph set " + File("missing.bin") + ": no such file\n"},
             {{"--port", port, "clear", "glyphs", shortSet},
              EXIT_FILE,
              "kr7ctl: cannot read glyph set " + shortSet + ": a binary glyph set must be 13824 bytes\n"},
             {{"--port", port, "clear", "logo", File("missing.jpg"), "--program"},
              EXIT_FILE,
              "kr7ctl: cannot read picture " + File("missing.jpg") + ": no such file\n"},
             {{"--port", port, "clear", "logo", cut, "--program"},
              EXIT_FILE,
              "kr7ctl: cannot read picture " + cut + ": the picture is truncated or damaged\n"},
             {{"--port", port, "clear", "logo", shortSet},
              EXIT_FILE,
              "kr7ctl: cannot read picture " + shortSet + ": not a BMP, JPEG, PNG, GIF, TIFF or WebP picture\n"},
             {{"--port", port, "clear", "logo", pngBmp},
              EXIT_FILE,
              "kr7ctl: cannot read picture " + pngBmp + ": a PNG picture named .bmp\n"},
             {{"--dry-run", "logo", folder}, EXIT_FILE, "kr7ctl: cannot read picture " + folder + ": Is a directory\n"},
             {{"--out", folder, "clear"}, EXIT_FILE, "kr7ctl: cannot write " + folder + ": Is a directory\n"},
             {{"--settings", File("missing.ini"), "clear"},
              EXIT_FILE,
              "kr7ctl: cannot read settings " + File("missing.ini") + ": no such file\n"},
             {{"--port", port, "--settings", folder, "clear"},
              EXIT_FILE,
              "kr7ctl: cannot read settings " + folder + ": Is a directory\n"},
             {{"--settings", folder, "run"},
              EXIT_FILE,
              "kr7ctl: cannot read settings " + folder + ": Is a directory\n"},
             {{"run", "--settings", File("none.ini")},
              EXIT_FILE,
              "kr7ctl: cannot read settings " + File("none.ini") + ": no such file\n"},
             {{"--port", "COM9", "clear"},
              EXIT_PORT,
              "kr7ctl: cannot open port COM9: " + pty.Folder().toStdString() + "/COM9 does not exist\n"},
             {{"--port", "COM9", "run", "--settings", settings},
              EXIT_PORT,
              "kr7ctl: cannot open port COM9: " + pty.Folder().toStdString() + "/COM9 does not exist\n"},
         }) {
        std::string line = "kr7ctl";
        for (const std::string& arg : c.args)
            line += " " + arg;
        SCOPED_TRACE(line);
        const TRun run = Kr7ctl(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_FALSE(QFile::exists(Path("frames.bin"))); // a dry run writes no file
    EXPECT_EQ(pty.Take(), "");
}

TEST(Kr7ctlProgram, TheInstalledBinaryAnswersAndPrintsFrames) {
    TRun run = RunKr7ctl({"--dry-run", "clear", "store"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "FF 00 03 00 00 00 00 00 00 03\nFF 00 02 00 00 00 00 00 00 02\n");
    run = RunKr7ctl({"--bogus"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "kr7ctl: unknown option \"--bogus\" (see kr7ctl --help)\n");
}

} // namespace
