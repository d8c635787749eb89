// kr7ctl's one-shot actions against the window's clicks for the same
// action, its errors and exit statuses, and its port handling.
#include "COMSocket.h"
#include "Kr7ctlWindow.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <string>
#include <tuple>

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
    QFile file(QString::fromStdString(Path("pages.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("one\r\ntwo\nthree\n");
    file.close();
    const std::string hex = DryRunHex({"pages", Path("pages.txt"), "--row", "3", "--height", "2"});
    const std::string blank = "20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20";
    EXPECT_EQ(hex, "FF 00 01 01 00 00 00 00 00 02 "
                   "FF 00 04 00 02 1E 00 00 00 24 6F 6E 65 " +
                       blank + " FF 00 04 00 03 1E 00 00 00 25 74 77 6F " + blank +
                       " FF 00 04 00 02 1E 00 00 00 24 74 68 72 65 65 " + blank.substr(6) +
                       " FF 00 04 00 03 1E 00 00 00 25 20 20 20 " + blank);
}

TEST_F(Kr7ctlTest, GlyphUploadsSendAFrameAndARecordPerGlyph) {
    // The default set saved by the window is the file kr7ctl uploads.
    const std::string set = Path("set.bmp");
    ASSERT_TRUE(form->DefaultChars().save(QString::fromStdString(set), "BMP"));
    const std::string hex = DryRunHex({"glyph", "65", set});
    EXPECT_EQ(hex.substr(0, 29), "FF 00 05 41 00 00 00 00 00 46");
    EXPECT_EQ(hex.size(), (10 + 54) * 3 - 1);
    TRun all = Kr7ctl({"--dry-run", "glyphs", set});
    EXPECT_EQ(all.status, EXIT_DONE);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 256);
}

TEST_F(Kr7ctlTest, BadInputGivesItsStatusAndNothingIsSent) {
    TRun run = Kr7ctl({"--port", pty.Name(), "clear", "text", "17", "x"});
    EXPECT_EQ(run.status, EXIT_USAGE);
    EXPECT_EQ(run.err, "kr7ctl: row must be a number from 1 to 16, not \"17\" (see kr7ctl --help)\n");
    EXPECT_EQ(Kr7ctl({"frobnicate"}).status, EXIT_USAGE);
    EXPECT_EQ(Kr7ctl({}).status, EXIT_USAGE);
    EXPECT_EQ(Kr7ctl({"mode", "sideways"}).status, EXIT_USAGE);

    run = Kr7ctl({"--port", pty.Name(), "clear", "glyphs", Path("missing.bin")});
    EXPECT_EQ(run.status, EXIT_FILE);
    EXPECT_EQ(run.err, "kr7ctl: cannot read glyph set " + Path("missing.bin") + ": no such file\n");
    QFile shortSet(QString::fromStdString(Path("short.bin")));
    ASSERT_TRUE(shortSet.open(QIODevice::WriteOnly));
    shortSet.write(std::string(100, '\0').c_str(), 100);
    shortSet.close();
    EXPECT_EQ(Kr7ctl({"--port", pty.Name(), "clear", "glyphs", Path("short.bin")}).status, EXIT_FILE);
    EXPECT_EQ(Kr7ctl({"--port", pty.Name(), "logo", Path("missing.jpg"), "--program"}).status, EXIT_FILE);
    // A picture is refused with the reader's reason.
    QFile cut(QString::fromStdString(Path("cut.png")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("\x89PNG\r\n\x1a\n", 8);
    cut.close();
    run = Kr7ctl({"--port", pty.Name(), "clear", "logo", Path("cut.png"), "--program"});
    EXPECT_EQ(run.status, EXIT_FILE);
    EXPECT_EQ(run.err, "kr7ctl: cannot read picture " + Path("cut.png") + ": the picture is truncated or damaged\n");
    run = Kr7ctl({"logo", Path("short.bin"), "--program"});
    EXPECT_EQ(run.err, "kr7ctl: cannot read picture " + Path("short.bin") +
                           ": not a BMP, JPEG, PNG, GIF, TIFF or WebP picture\n");
    // One line, the program's own, however the file is damaged or named.
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
    ASSERT_TRUE(picture.save(QString::fromStdString(Path("whole.png")), "PNG"));
    QFile whole(QString::fromStdString(Path("whole.png")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray png = whole.readAll();
    for (const auto& [name, bytes, reason] : {
             std::tuple{"half.png", png.left(png.size() / 2), "the picture is truncated or damaged"},
             std::tuple{"png.bmp", png, "a PNG picture named .bmp"},
         }) {
        QFile file(QString::fromStdString(Path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        run = Kr7ctl({"--port", pty.Name(), "clear", "logo", Path(name)});
        EXPECT_EQ(run.status, EXIT_FILE);
        EXPECT_EQ(run.err, "kr7ctl: cannot read picture " + Path(name) + ": " + reason + "\n");
    }
    EXPECT_EQ(pty.Take(), ""); // the clear before each bad file never went out
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
    const std::string set = Path("set.bmp");
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
    ASSERT_TRUE(noise.save(QString::fromStdString(Path("noise.bmp")), "BMP"));
    TRun run = Kr7ctl({"--dry-run", "logo", Path("noise.bmp"), "--program"});
    EXPECT_EQ(run.status, EXIT_LOGO_TOO_BIG);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kr7ctl: the logo needs more than 141 glyphs; make it smaller\n");
}

TEST_F(Kr7ctlTest, LogoMixingWithASeedRepeatsByteForByte) {
    QImage grey(120, 60, QImage::Format_RGB32);
    grey.fill(qRgb(127, 127, 128));
    ASSERT_TRUE(grey.save(QString::fromStdString(Path("grey.bmp")), "BMP"));
    const std::vector<std::string> args = {"--dry-run", "logo", Path("grey.bmp"), "--mode", "mix", "--program"};
    std::vector<std::string> seeded = args;
    seeded.insert(seeded.end(), {"--seed", "7"});
    const TRun first = Kr7ctl(seeded);
    EXPECT_EQ(first.status, EXIT_DONE) << first.err;
    EXPECT_EQ(Kr7ctl(seeded).out, first.out);
    seeded.back() = "8";
    EXPECT_NE(Kr7ctl(seeded).out, first.out);
}

TEST(Kr7ctlProgram, TheInstalledBinaryAnswersAndPrintsFrames) {
    QProcess process;
    process.start(QStringLiteral(KR7CTL_PATH), {"--dry-run", "clear", "store"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(),
              "FF 00 03 00 00 00 00 00 00 03\nFF 00 02 00 00 00 00 00 00 02\n");
    process.start(QStringLiteral(KR7CTL_PATH), {"--bogus"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError().toStdString(), "kr7ctl: unknown option \"--bogus\" (see kr7ctl --help)\n");
}

} // namespace
