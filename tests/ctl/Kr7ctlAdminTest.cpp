// kr7ctl as scripts and service managers use it, through the real binary on a
// pseudo-terminal: stops between two commands, a failed standard output, and
// the usual command-line conventions. Its refusals: Kr7ctlRefusalTest.
#include "Kr7ctlRunner.h"

#include <QFile>
#include <QImage>
#include <QProcessEnvironment>

#include <chrono>
#include <csignal>
#include <string>

namespace {

class Kr7ctlAdminTest : public Kr7ctlFixture {
protected:
    // A glyph set upload to the pseudo-terminal stopped by signal once it is
    // under way; received is what reached the device.
    TRun StopGlyphUpload(int signal, std::string& received) {
        QImage chars(192, 288, QImage::Format_RGB32);
        chars.fill(Qt::white);
        EXPECT_TRUE(chars.save(Path("set.bmp"), "BMP"));
        QProcess process;
        const TRun run = RunKr7ctl(process, {"--port", "COM3", "glyphs", Path("set.bmp")}, [&](pid_t pid) {
            received = pty.TakeAtLeast(200);
            ::kill(pid, signal);
        });
        received += pty.Take();
        return run;
    }
};

TEST_F(Kr7ctlAdminTest, AStopEndsAGlyphUploadBetweenTwoGlyphs) {
    std::string received;
    TRun run = StopGlyphUpload(SIGTERM, received);
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_EQ(run.err, "kr7ctl: stopped by SIGTERM between two commands\n");
    EXPECT_EQ(received.size() % 64, 0u) << received.size(); // a 10-byte frame and its 54-byte record each
    EXPECT_LT(received.size(), 256u * 64);

    run = StopGlyphUpload(SIGINT, received);
    EXPECT_EQ(run.status, EXIT_INTERRUPTED) << run.err;
    EXPECT_EQ(received.size() % 64, 0u) << received.size();
}

TEST_F(Kr7ctlAdminTest, AFailedWriteToStandardOutputIsAFailure) {
    for (const QStringList& args : {QStringList{"--dry-run", "clear"}, QStringList{"ports", "--json"}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        const TRun run = RunKr7ctl(process, args);
        EXPECT_EQ(run.status, EXIT_FILE);
        EXPECT_EQ(run.err, "kr7ctl: cannot write to standard output: No space left on device\n");
    }
}

TEST_F(Kr7ctlAdminTest, APreviewNeedsNoPort) {
    QImage picture(60, 36, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(Path("pic.png"), "PNG"));
    TRun run = RunKr7ctl({"--port", "COM9", "logo", Path("pic.png"), "--preview", Path("view.png")});
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_TRUE(QFile::exists(Path("view.png")));
    EXPECT_EQ(run.out, "logo uses 2 of 141 glyphs (1%), origin 150,126\n");
    run = RunKr7ctl({"--quiet", "logo", Path("pic.png"), "--json", "--preview", Path("view.png")});
    EXPECT_EQ(run.out, "");
    run = RunKr7ctl({"logo", Path("pic.png"), "--json", "--preview", Path("view.png")});
    EXPECT_EQ(run.out, "{\"tiles\":2,\"maxTiles\":141,\"share\":1,\"x\":150,\"y\":126}\n");
}

TEST_F(Kr7ctlAdminTest, TheUsualConventionsOfACommand) {
    EXPECT_EQ(RunKr7ctl({"-V"}).out, RunKr7ctl({"--version"}).out);
    // "--port=NAME", the text from standard input, "--" before a text that looks like an option.
    TRun run = RunKr7ctl({"--port=COM3", "text", "2", "-", "--centre"}, "Zażółć\n");
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_EQ(ToHex(pty.TakeAtLeast(40).substr(10, 30)).substr(0, 36), "20 20 20 20 20 20 20 20 20 20 20 20 ");
    run = RunKr7ctl({"--dry-run", "--", "text", "1", "--centre"});
    EXPECT_EQ(run.out.substr(30, 23), "2D 2D 63 65 6E 74 72 65") << run.out;

    // The default port from the environment.
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KR7_PORT"), QStringLiteral("COM3"));
    process.setProcessEnvironment(environment);
    EXPECT_EQ(RunKr7ctl(process, {"clear"}).status, EXIT_DONE);
    EXPECT_EQ(ToHex(pty.TakeAtLeast(10)), "FF 00 03 00 00 00 00 00 00 03");

    // Two pages of one row, the second a second after the first.
    const QString pages = Write("pages.txt", "one\ntwo\n");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunKr7ctl(process, {"pages", pages, "--height", "1", "--interval", "1"}).status, EXIT_DONE);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(pty.TakeAtLeast(10 + 2 * 40).size(), 10u + 2 * 40);
}

} // namespace
