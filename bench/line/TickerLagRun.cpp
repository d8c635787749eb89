// A scripted run, not a test: a ticker stepping every 0.1 s writes through
// TCOMSocket on the real clock into the emulator's pseudo-terminal, read at
// 2400 baud on a thread of its own. It reports how many bytes were ever in
// flight and how long each text change took to reach the display.
//
//   build/bin/TickerLagRun [seconds=120] [change every seconds=20]
#include "COMSocket.h"
#include "EmulatedDisplay.h"
#include "KR7.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int ROW = 8;
constexpr int COLUMNS = 30;
constexpr auto TICK = 100ms;

// The emulator's side, measured from its own thread.
struct TDisplaySide {
    std::atomic<std::size_t> maxWaiting{0};
    std::atomic<std::size_t> frames{0};
    std::atomic<std::size_t> errors{0};
    std::mutex mutex;
    std::vector<std::pair<std::string, TClock::time_point>> seen; // marker, when shown

    TEmulatedDisplay::THooks Hooks() {
        TEmulatedDisplay::THooks hooks;
        hooks.traffic = [this](const QString& line) { OnLine(line); };
        hooks.sample = [this](const TPtyEndpoint& endpoint, const TEmulatorSession& session) {
            maxWaiting = std::max<std::size_t>(maxWaiting, endpoint.Waiting());
            frames = session.Counters().frames;
            errors = session.Counters().checksumErrors + session.Counters().droppedFrames;
        };
        return hooks;
    }

    void OnLine(const QString& line) {
        const int at = line.indexOf(QStringLiteral("ZMIANA "));
        if (at < 0)
            return;
        const std::string marker = line.mid(at, 9).toStdString();
        std::lock_guard lock(mutex);
        if (seen.empty() || seen.back().first != marker)
            seen.emplace_back(marker, TClock::now());
    }
};

std::string TickerText(int change) {
    char head[24];
    std::snprintf(head, sizeof head, "ZMIANA %02d", change);
    return std::string(head) + " - tekst przesuwany co 0,1 s przez wiersz wyświetlacza ... ";
}

std::string Window(const std::string& text, std::size_t position) {
    std::string window;
    for (int i = 0; i < COLUMNS; ++i)
        window.push_back(text[(position + static_cast<std::size_t>(i)) % text.size()]);
    return window;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 120;
    const int changeEvery = argc > 2 ? std::atoi(argv[2]) : 20;
    QTemporaryDir dir;
    TDisplaySide display;
    TEmulatedDisplay emulator(dir.filePath("ports"), dir.filePath("state.bin"), display.Hooks());

    TCOMSocket port;
    TKR7 kr7(port);
    port.SelectPort("COM1");
    port.SetBaudRate(2400);
    port.SetQueueSizes(1024, 1024);
    if (const TOpenResult opened = port.Open(); !opened) {
        std::fprintf(stderr, "open failed: %s (errno %d)\n", opened.device.c_str(), opened.errorNumber);
        return 1;
    }

    std::vector<std::pair<std::string, TClock::time_point>> changes;
    const auto start = TClock::now();
    auto due = start;
    int change = 0;
    std::string text = TickerText(change);
    changes.emplace_back(text.substr(0, 9), start);
    std::size_t position = 0, ticks = 0, sent = 0, maxClockInFlight = 0;
    while (TClock::now() - start < std::chrono::seconds(seconds)) {
        std::this_thread::sleep_until(due);
        // A timer that fell behind fires once, not once per missed step.
        due = std::max(due + TICK, TClock::now());
        if (TClock::now() - start >= std::chrono::seconds((change + 1) * changeEvery)) {
            text = TickerText(++change);
            position = 0;
            changes.emplace_back(text.substr(0, 9), TClock::now());
        }
        kr7.WriteText(0, ROW, Window(text, position++));
        ++ticks;
        sent += 40;
        maxClockInFlight = std::max(maxClockInFlight, port.InFlight());
    }
    const double elapsed = std::chrono::duration<double>(TClock::now() - start).count();
    std::this_thread::sleep_for(6s); // let the display catch up
    emulator.Stop();

    std::printf("run %.1f s, %zu ticks, %zu bytes sent (%.1f B/s)\n", elapsed, ticks, sent, sent / elapsed);
    std::printf("display: %zu frames, %zu faulty; in flight at most %zu bytes as the display counts "
                "(%.2f s), %zu by the sender's clock\n",
                display.frames.load(), display.errors.load(), display.maxWaiting.load(),
                display.maxWaiting.load() * 10.0 / 2400.0, maxClockInFlight);
    double worst = 0;
    int missing = 0;
    for (const auto& [marker, when] : changes) {
        const auto shown =
            std::find_if(display.seen.begin(), display.seen.end(), [&](const auto& s) { return s.first == marker; });
        if (shown == display.seen.end()) {
            ++missing;
            continue;
        }
        worst = std::max(worst, std::chrono::duration<double>(shown->second - when).count());
    }
    std::printf("text changes: %zu, reached the display %zu, slowest %.2f s\n", changes.size(),
                changes.size() - static_cast<std::size_t>(missing), worst);
    return missing == 0 && worst <= 6.0 && display.maxWaiting <= 1024 + 40 ? 0 : 1;
}
