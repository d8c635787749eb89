// A scripted run, not a test: the real window runs the ticker every 0.1 s
// into a pseudo-terminal published as COM3, which vanishes and comes back
// again and again. It reports, over the cycles, whether the window ever hung,
// how long each return took until the connect lines were logged, and the
// program's memory after the first and the last cycles.
//
//   build/bin/ReconnectRun [cycles=100]
#include "FakeSeams.h"
#include "PtyPort.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto GIVE_UP = 10s;

// Runs the event loop until done says so; false when GIVE_UP passed first.
bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = TClock::now() + GIVE_UP;
    while (!done()) {
        if (TClock::now() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

bool LastLineStarts(const TFormKR7& form, const QString& head) {
    const QStringList lines = form.LogLines();
    return !lines.isEmpty() && lines.last().startsWith(head);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 100;
    QTemporaryDir dir;
    auto pty = std::make_unique<TPtyPort>(3);

    TFakeDialogs dialogs;
    TFormOptions options;
    options.settingsDir = dir.path();
    options.dialogs = &dialogs;
    TFormKR7 form(options);
    form.show();
    const TWindowControls ui(form);
    ui.ComboBoxPort->setEditText(QStringLiteral("COM3"));
    ui.CheckBoxConnect->setChecked(true);
    ui.EditHorizNeon->setText(QStringLiteral("Tekst przesuwany co 0,1 s"));
    ui.ScrollBarHorizNeonInterval->setValue(1);
    ui.CheckBoxHorizNeonEnabled->setChecked(true);
    if (!form.IsConnectChecked())
        return 1;

    int hangs = 0, slow = 0;
    double slowest = 0;
    long memoryFirst = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        pty.reset();
        const bool gone = RunUntil([&] { return LastLineStarts(form, QStringLiteral("Urządzenie odłączone")); });
        const auto back = TClock::now();
        pty = std::make_unique<TPtyPort>(3);
        const bool returned = RunUntil([&] { return LastLineStarts(form, QStringLiteral("Port: COM3")); });
        const double took = std::chrono::duration<double>(TClock::now() - back).count();
        if (!gone || !returned)
            ++hangs;
        if (took > 5.0)
            ++slow;
        slowest = std::max(slowest, took);
        if (cycle == 1)
            memoryFirst = ResidentKiB();
        form.ClearLog();
        pty->Take();
    }
    // The ticker goes on after the last return.
    const bool ticking = RunUntil([&] { return !pty->Take().empty(); });
    const long memoryLast = ResidentKiB();
    std::printf("cycles %d, hangs %d, returns over 5 s %d, slowest return %.2f s, ticker after the last %s\n", cycles,
                hangs, slow, slowest, ticking ? "yes" : "no");
    std::printf("memory after cycle 1: %ld KiB, after cycle %d: %ld KiB (%+ld KiB)\n", memoryFirst, cycles, memoryLast,
                memoryLast - memoryFirst);
    return hangs == 0 && slow == 0 && ticking ? 0 : 1;
}
