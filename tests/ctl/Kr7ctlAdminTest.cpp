// kr7ctl as scripts and service managers use it, through the real binary on a
// pseudo-terminal: stops between two commands, refusals with their reasons,
// and the usual command-line conventions.
#include "Kr7ctl.h"
#include "PtyPort.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

namespace {

struct TProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

class Kr7ctlAdminTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Runs kr7ctl to its end; input goes to its standard input.
    TProgramRun Run(const QStringList& args, const QByteArray& input = {}) {
        process.start(QStringLiteral(KR7CTL_PATH), args);
        EXPECT_TRUE(process.waitForStarted(30000));
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    // A glyph set upload to the pseudo-terminal stopped by signal once it is under way.
    TProgramRun StopGlyphUpload(int signal, std::string& received) {
        QImage chars(192, 288, QImage::Format_RGB32);
        chars.fill(Qt::white);
        EXPECT_TRUE(chars.save(Path("set.bmp"), "BMP"));
        process.start(QStringLiteral(KR7CTL_PATH), {"--port", "COM3", "glyphs", Path("set.bmp")});
        EXPECT_TRUE(process.waitForStarted(30000));
        received = pty.TakeAtLeast(200);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        EXPECT_TRUE(process.waitForFinished(60000));
        received += pty.Take();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), {}, process.readAllStandardError().toStdString()};
    }

    QTemporaryDir dir;
    TPtyPort pty{3};
    QProcess process;
};

TEST_F(Kr7ctlAdminTest, AStopEndsAGlyphUploadBetweenTwoGlyphs) {
    std::string received;
    TProgramRun run = StopGlyphUpload(SIGTERM, received);
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_EQ(run.err, "kr7ctl: stopped by SIGTERM between two commands\n");
    EXPECT_EQ(received.size() % 64, 0u) << received.size(); // a 10-byte frame and its 54-byte record each
    EXPECT_LT(received.size(), 256u * 64);

    run = StopGlyphUpload(SIGINT, received);
    EXPECT_EQ(run.status, EXIT_INTERRUPTED) << run.err;
    EXPECT_EQ(received.size() % 64, 0u) << received.size();
}

TEST_F(Kr7ctlAdminTest, FilesThatCannotBeReadOrWrittenAreRefusedWithTheSystemsReason) {
    const std::string folder = dir.path().toStdString();
    for (const QStringList& args : {QStringList{"--settings", dir.path(), "run"},
                                    QStringList{"--port", "COM3", "--settings", dir.path(), "clear"}}) {
        const TProgramRun run = Run(args);
        EXPECT_EQ(run.status, EXIT_FILE) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, "kr7ctl: cannot read settings " + folder + ": Is a directory\n");
    }
    EXPECT_EQ(Run({"--settings", Path("missing.ini"), "clear"}).status, EXIT_FILE);
    EXPECT_EQ(Run({"--out", dir.path(), "clear"}).err, "kr7ctl: cannot write " + folder + ": Is a directory\n");
    EXPECT_EQ(Run({"--dry-run", "logo", dir.path()}).err,
              "kr7ctl: cannot read picture " + folder + ": Is a directory\n");
    EXPECT_EQ(pty.Take(), "");
}

TEST_F(Kr7ctlAdminTest, AFailedWriteToStandardOutputIsAFailure) {
    for (const QStringList& args : {QStringList{"--dry-run", "clear"}, QStringList{"ports", "--json"}}) {
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        const TProgramRun run = Run(args);
        EXPECT_EQ(run.status, EXIT_FILE);
        EXPECT_EQ(run.err, "kr7ctl: cannot write to standard output: No space left on device\n");
    }
}

TEST_F(Kr7ctlAdminTest, APreviewNeedsNoPortAndADryRunNoOutputFile) {
    QImage picture(60, 36, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(Path("pic.png"), "PNG"));
    TProgramRun run = Run({"--port", "COM9", "logo", Path("pic.png"), "--preview", Path("view.png")});
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_TRUE(QFile::exists(Path("view.png")));
    EXPECT_EQ(run.out, "logo uses 2 of 141 glyphs (1%), origin 150,126\n");
    run = Run({"--quiet", "logo", Path("pic.png"), "--json", "--preview", Path("view.png")});
    EXPECT_EQ(run.out, "");
    run = Run({"logo", Path("pic.png"), "--json", "--preview", Path("view.png")});
    EXPECT_EQ(run.out, "{\"tiles\":2,\"maxTiles\":141,\"share\":1,\"x\":150,\"y\":126}\n");

    run = Run({"--dry-run", "--out", Path("frames.bin"), "clear"});
    EXPECT_EQ(run.status, EXIT_USAGE);
    EXPECT_FALSE(QFile::exists(Path("frames.bin")));
}

TEST_F(Kr7ctlAdminTest, TheUsualConventionsOfACommand) {
    EXPECT_EQ(Run({"-V"}).out, Run({"--version"}).out);
    // "--port=NAME", the text from standard input, "--" before a text that looks like an option.
    TProgramRun run = Run({"--port=COM3", "text", "2", "-", "--centre"}, "Zażółć\n");
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_EQ(ToHex(pty.TakeAtLeast(40).substr(10, 30)).substr(0, 36), "20 20 20 20 20 20 20 20 20 20 20 20 ");
    run = Run({"--dry-run", "--", "text", "1", "--centre"});
    EXPECT_EQ(run.out.substr(30, 23), "2D 2D 63 65 6E 74 72 65") << run.out;

    // The default port from the environment.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KR7_PORT"), QStringLiteral("COM3"));
    process.setProcessEnvironment(environment);
    EXPECT_EQ(Run({"clear"}).status, EXIT_DONE);
    EXPECT_EQ(ToHex(pty.TakeAtLeast(10)), "FF 00 03 00 00 00 00 00 00 03");

    // Two pages of one row, the second a second after the first.
    QFile pages(Path("pages.txt"));
    ASSERT_TRUE(pages.open(QIODevice::WriteOnly));
    pages.write("one\ntwo\n");
    pages.close();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run({"pages", Path("pages.txt"), "--height", "1", "--interval", "1"}).status, EXIT_DONE);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(pty.TakeAtLeast(10 + 2 * 40).size(), 10u + 2 * 40);
}

} // namespace
