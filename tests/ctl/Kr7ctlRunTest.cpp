// kr7ctl run against a pseudo-terminal: the ticker's frames are the window's
// for the same settings file, a stop signal ends it, a vanished port is an
// error of its own. Its refusals: Kr7ctlRefusalTest.
#include "FakeSeams.h"
#include "Kr7ctlRunner.h"
#include "shell/Kr7unit1.h"

#include <QImage>
#include <QTest>

#include <csignal>
#include <string>

namespace {

// A ticker on row 3 every tenth of a second, the pages off.
const char* const TICKER_SETTINGS = "[Settings]\r\nPort=COM3\r\nConnected=1\r\n"
                                    "[HorizNeon]\r\nText=  AB \xB9\r\nInterval=1\r\nPosY=2\r\nEnabled=1\r\n"
                                    "[VertNeon]\r\nEnabled=0\r\n";
// The connection's and the ticker's text-mode frames, then five ticks.
constexpr std::size_t COMPARED = 2 * 10 + 5 * 40;

class Kr7ctlRunTest : public Kr7ctlFixture {
protected:
    QString WriteSettings(const QByteArray& text) const { return Write(QStringLiteral("KR7Controller.ini"), text); }

    // kr7ctl args, stopped by signal once size bytes reached the device; received is what came.
    TRun RunAndStop(const QStringList& args, std::size_t size, int signal, std::string* received = nullptr) {
        QProcess process;
        return RunKr7ctl(process, args, [&](pid_t pid) {
            const std::string bytes = pty.TakeAtLeast(size);
            if (received != nullptr)
                *received = bytes;
            ::kill(pid, signal);
        });
    }
};

TEST_F(Kr7ctlRunTest, TheTickerRowsAreTheWindowsAndSigtermStopsIt) {
    WriteSettings(TICKER_SETTINGS);
    std::string window;
    {
        TFakeDialogs dialogs;
        TFakePlatform platform;
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        for (int round = 0; round < 40 && window.size() < COMPARED; ++round) {
            QTest::qWait(200); // the window's timers run in this process
            window += pty.Take();
        }
    }
    pty.Take();

    std::string ctl;
    const TRun run = RunAndStop({"run", "--settings", WriteSettings(TICKER_SETTINGS)}, COMPARED, SIGTERM, &ctl);
    EXPECT_EQ(run.status, EXIT_DONE);
    // The engine's reports, in English unless asked for the window's Polish.
    EXPECT_EQ(run.err, "Connecting....\nPort connected.\nPort: COM3\n");

    ASSERT_GE(window.size(), COMPARED);
    ASSERT_GE(ctl.size(), COMPARED);
    EXPECT_EQ(ToHex(ctl.substr(0, COMPARED)), ToHex(window.substr(0, COMPARED)));
    // The first tick: row 3, the text coming in from the right.
    EXPECT_EQ(ToHex(ctl.substr(20, 10)), "FF 00 04 00 02 1E 00 00 00 24");
}

// Which settings cannot be used, and what is used instead, is the settings
// model's rule; kr7ctl says each on a line of its own before it starts.
TEST_F(Kr7ctlRunTest, SigintIsAnInterruptionAndTheWindowsPolishIsThereOnRequest) {
    const QString settings = WriteSettings(QByteArray(TICKER_SETTINGS) + "Height=0\r\n");
    const TRun run = RunAndStop({"--lang", "pl", "run", "--settings", settings}, 30, SIGINT);
    EXPECT_EQ(run.status, EXIT_INTERRUPTED);
    EXPECT_EQ(run.err, "kr7ctl: warning: [VertNeon] Height=0 cannot be used; using 1\n"
                       "Trwa łączenie....\nPort połączony.\nPort: COM3\n");
}

TEST_F(Kr7ctlRunTest, APortThatVanishesDuringAnUploadIsAPortError) {
    // A whole glyph set takes seconds at 2400 baud: the device goes early.
    QImage chars(192, 288, QImage::Format_RGB32);
    chars.fill(Qt::white);
    ASSERT_TRUE(chars.save(Path("set.bmp"), "BMP"));
    QProcess process;
    const TRun run = RunKr7ctl(process, {"--port", "COM3", "glyphs", Path("set.bmp")}, [this](pid_t) {
        pty.TakeAtLeast(200);
        pty.CloseMaster();
    });
    EXPECT_EQ(run.status, EXIT_PORT);
    EXPECT_EQ(run.err, "kr7ctl: port COM3 went away while sending; the display got only part of it\n");
}

} // namespace
