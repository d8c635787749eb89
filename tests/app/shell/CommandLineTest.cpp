// The programs' command lines: what the window program accepts, refuses with
// status 2 and the usage, and how it ends without a display; the emulator's
// version.
#include "shell/CommandLine.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int status = -1;
    QString out;
    QString err;
};

TRun RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    TRun run;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 128 + process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

} // namespace

TEST(CommandLineTest, OwnAndToolkitOptionsAreTakenUnknownOnesRefused) {
    const TCommandLine good = ParseCommandLine({"KR7Controller", "/SERVICE", "--lang", "EN", "-platform", "offscreen",
                                                "--settings-dir=/tmp/demo", "-style", "Fusion", "logo.gif"});
    EXPECT_TRUE(good.error.isEmpty()) << good.error.toStdString();
    EXPECT_TRUE(good.service);
    EXPECT_EQ(good.language, QStringLiteral("en"));
    EXPECT_EQ(good.settingsDir, QStringLiteral("/tmp/demo"));
    EXPECT_EQ(good.files, QStringList{QStringLiteral("logo.gif")});
    for (const QStringList& bad :
         {QStringList{"KR7Controller", "--bogus"}, QStringList{"KR7Controller", "--lang", "de"},
          QStringList{"KR7Controller", "--lang"}, QStringList{"KR7Controller", "--service"},
          QStringList{"KR7Controller", "--settings-dir="}})
        EXPECT_FALSE(ParseCommandLine(bad).error.isEmpty()) << bad.join(u' ').toStdString();
}

TEST(CommandLineTest, ServiceSwitchInAnyCaseAfterADashOrASlash) {
    const std::pair<QStringList, bool> cases[] = {
        {{"prog", "-service"}, true},          {{"prog", "/SERVICE"}, true},
        {{"prog", "x.bmp", "-SeRvIcE"}, true}, {{"prog"}, false},
        {{"prog", "service"}, false},          {{"-service"}, false}, // the program's own name
    };
    for (const auto& [args, service] : cases)
        EXPECT_EQ(ParseCommandLine(args).service, service) << args.join(u' ').toStdString();
}

TEST(CommandLineTest, WindowProgramRefusesUnknownOptionsWithStatusTwoAndTheUsage) {
    for (const QStringList& args : {QStringList{"--bogus"}, QStringList{"--lang", "de"}}) {
        const TRun run = RunProgram(QStringLiteral(KR7CONTROLLER_PATH), args, QProcessEnvironment::systemEnvironment());
        EXPECT_EQ(run.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: KR7Controller"))) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("KR7Controller: "))) << run.err.toStdString();
    }
    EXPECT_EQ(RunProgram(QStringLiteral(KR7CONTROLLER_PATH), {"--help"}, WithoutDisplay()).status, 0);
}

TEST(CommandLineTest, WithoutADisplayOneLineAndStatusOne) {
    const TRun run = RunProgram(QStringLiteral(KR7CONTROLLER_PATH), {}, WithoutDisplay());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("display"))) << run.err.toStdString();
}

TEST(CommandLineTest, EmulatorTellsItsVersion) {
    const TRun run = RunProgram(QStringLiteral(KR7EMULATOR_PATH), {"--version"}, WithoutDisplay());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("kr7-emulator "))) << run.out.toStdString();
}
