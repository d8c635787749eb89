#pragma once

// kr7ctl as the tests run it: in this process (Kr7ctlMain) or as the built
// binary, and the fixture its runs share: a fresh folder for their files and
// the pseudo-terminal COM3 as the device.
#include "Kr7ctl.h"
#include "PtyPort.h"
#include "TempFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

// What one run of kr7ctl gave.
struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

// kr7ctl in this process.
inline TRun Kr7ctl(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Kr7ctlMain(args, out, err);
    return {status, out.str(), err.str()};
}

// The dry run's lines joined as one hex string, the form the port reader gives.
inline std::string DryRunHex(std::vector<std::string> args) {
    args.insert(args.begin(), "--dry-run");
    const TRun run = Kr7ctl(args);
    EXPECT_EQ(run.status, EXIT_DONE) << run.err;
    std::string hex = run.out;
    for (char& c : hex)
        if (c == '\n')
            c = ' ';
    while (!hex.empty() && hex.back() == ' ')
        hex.pop_back();
    return hex;
}

// The binary started in process (which may carry an environment or an output
// file) with input on its standard input; during(pid) runs while it goes, to
// stop it. A run that has not ended within seconds is killed and fails the
// test: an input read without bound never ends.
inline TRun RunKr7ctl(QProcess& process, const QStringList& args, const std::function<void(pid_t)>& during = {},
                      const QByteArray& input = {}, int seconds = 60) {
    process.start(QStringLiteral(KR7CTL_PATH), args);
    EXPECT_TRUE(process.waitForStarted(30000));
    process.write(input);
    process.closeWriteChannel();
    if (during)
        during(static_cast<pid_t>(process.processId()));
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished(30000);
        ADD_FAILURE() << "kr7ctl did not end: " << args.join(' ').toStdString();
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

inline TRun RunKr7ctl(const QStringList& args, const QByteArray& input = {}, int seconds = 60) {
    QProcess process;
    return RunKr7ctl(process, args, {}, input, seconds);
}

class Kr7ctlFixture : public ::testing::Test, protected TTempFolder {
protected:
    // The path of name in the folder, as kr7ctl's arguments take it.
    std::string File(const char* name) const { return Path(QString::fromLatin1(name)).toStdString(); }
    // Writes bytes as the file name and gives its path as File does.
    std::string WriteFile(const char* name, const QByteArray& bytes) const {
        return Write(QString::fromLatin1(name), bytes).toStdString();
    }

    TPtyPort pty{3};
};
