// kr7ctl run against a pseudo-terminal: the ticker's frames are the window's
// for the same settings file, a stop signal ends it, a vanished port is an
// error of its own.
#include "FakeSeams.h"
#include "Kr7ctl.h"
#include "PtyPort.h"
#include "shell/Kr7unit1.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>

namespace {

// A ticker on row 3 every tenth of a second, the pages off.
const char* const TICKER_SETTINGS = "[Settings]\r\nPort=COM3\r\nConnected=1\r\n"
                                    "[HorizNeon]\r\nText=  AB \xB9\r\nInterval=1\r\nPosY=2\r\nEnabled=1\r\n"
                                    "[VertNeon]\r\nEnabled=0\r\n";
// The connection's and the ticker's text-mode frames, then five ticks.
constexpr std::size_t COMPARED = 2 * 10 + 5 * 40;

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Collects what reaches the device until at least size bytes came.
std::string TakeAtLeast(TPtyPort& pty, std::size_t size, bool pumpEvents) {
    std::string bytes;
    for (int round = 0; round < 40 && bytes.size() < size; ++round) {
        if (pumpEvents)
            QTest::qWait(200);
        bytes += pty.Take();
    }
    return bytes;
}

class Kr7ctlRunTest : public ::testing::Test {
protected:
    QString SettingsPath() const { return dir.filePath(QStringLiteral("KR7Controller.ini")); }

    QTemporaryDir dir;
    TPtyPort pty{3};
};

TEST_F(Kr7ctlRunTest, TheTickerRowsAreTheWindowsAndSigtermStopsIt) {
    WriteFile(SettingsPath(), TICKER_SETTINGS);
    std::string window;
    {
        TFakeDialogs dialogs;
        TFakePlatform platform;
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        window = TakeAtLeast(pty, COMPARED, true);
    }
    pty.Take();
    WriteFile(SettingsPath(), TICKER_SETTINGS);

    QProcess process;
    process.start(QStringLiteral(KR7CTL_PATH), {"run", "--settings", SettingsPath()});
    ASSERT_TRUE(process.waitForStarted(30000));
    const std::string ctl = TakeAtLeast(pty, COMPARED, false);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), EXIT_DONE);
    const std::string log = process.readAllStandardError().toStdString();
    // The engine's reports, in English unless asked for the window's Polish.
    EXPECT_EQ(log, "Connecting....\nPort connected.\nPort: COM3\n");

    ASSERT_GE(window.size(), COMPARED);
    ASSERT_GE(ctl.size(), COMPARED);
    EXPECT_EQ(ToHex(ctl.substr(0, COMPARED)), ToHex(window.substr(0, COMPARED)));
    // The first tick: row 3, the text coming in from the right.
    EXPECT_EQ(ToHex(ctl.substr(20, 10)), "FF 00 04 00 02 1E 00 00 00 24");
}

TEST_F(Kr7ctlRunTest, SigintIsAnInterruptionAndTheWindowsPolishIsThereOnRequest) {
    WriteFile(SettingsPath(), TICKER_SETTINGS);
    QProcess process;
    process.start(QStringLiteral(KR7CTL_PATH), {"--lang", "pl", "run", "--settings", SettingsPath()});
    ASSERT_TRUE(process.waitForStarted(30000));
    TakeAtLeast(pty, 30, false);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), EXIT_INTERRUPTED);
    EXPECT_EQ(process.readAllStandardError().toStdString(), "Trwa łączenie....\nPort połączony.\nPort: COM3\n");
}

TEST_F(Kr7ctlRunTest, SettingsThatCannotBeUsedAreNamedOneLineEach) {
    WriteFile(SettingsPath(), "[HorizNeon]\r\nText=x\r\nInterval=2O\r\nPosY=99\r\nEnabled=yes\r\n"
                              "[VertNeon]\r\nHeight=0\r\n");
    QProcess process;
    process.start(QStringLiteral(KR7CTL_PATH), {"--port", "COM3", "run", "--settings", SettingsPath()});
    ASSERT_TRUE(process.waitForStarted(30000));
    TakeAtLeast(pty, 30, false);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "kr7ctl: warning: [HorizNeon] Interval=2O cannot be used; using 1\n"
              "kr7ctl: warning: [HorizNeon] PosY=99 cannot be used; using 15\n"
              "kr7ctl: warning: [HorizNeon] Enabled=yes cannot be used; using 1\n"
              "kr7ctl: warning: [VertNeon] Height=0 cannot be used; using 1\n"
              "Connecting....\nPort connected.\nPort: COM3\n");
}

TEST_F(Kr7ctlRunTest, RunRefusesWhatItCannotDo) {
    std::ostringstream out, err;
    EXPECT_EQ(Kr7ctlMain({"run", "--settings", dir.filePath("none.ini").toStdString()}, out, err), EXIT_FILE);
    EXPECT_EQ(err.str(), "kr7ctl: cannot read settings " + dir.filePath("none.ini").toStdString() + ": no such file\n");
    err.str("");
    EXPECT_EQ(Kr7ctlMain({"--dry-run", "run"}, out, err), EXIT_USAGE);
    err.str("");
    WriteFile(SettingsPath(), TICKER_SETTINGS);
    EXPECT_EQ(Kr7ctlMain({"--port", "COM9", "run", "--settings", SettingsPath().toStdString()}, out, err), EXIT_PORT);
    EXPECT_EQ(err.str(), "kr7ctl: cannot open port COM9: " + pty.Folder().toStdString() + "/COM9 does not exist\n");
}

TEST_F(Kr7ctlRunTest, APortThatVanishesDuringAnUploadIsAPortError) {
    // A whole glyph set takes seconds at 2400 baud: the device goes early.
    QImage chars(192, 288, QImage::Format_RGB32);
    chars.fill(Qt::white);
    const QString set = dir.filePath(QStringLiteral("set.bmp"));
    ASSERT_TRUE(chars.save(set, "BMP"));
    QProcess process;
    process.start(QStringLiteral(KR7CTL_PATH), {"--port", "COM3", "glyphs", set});
    ASSERT_TRUE(process.waitForStarted(30000));
    TakeAtLeast(pty, 200, false);
    pty.CloseMaster();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), EXIT_PORT);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "kr7ctl: port COM3 went away while sending; the display got only part of it\n");
}

} // namespace
