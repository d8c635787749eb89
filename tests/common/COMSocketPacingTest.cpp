// Writes paced like a 1024-byte driver queue at 2400 baud, on a clock that
// moves only when the port waits for the line.
#include "COMSocket.h"
#include "FakeLineClock.h"
#include "PtyPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using namespace std::chrono_literals;

// 10 bits a byte at 2400 baud.
constexpr double SECONDS_PER_BYTE = 10.0 / 2400.0;

struct TPacedLine {
    TPtyPort pty;
    TFakeLineClock clock;
    TCOMSocket port{&clock};

    TPacedLine() {
        port.SelectPort(pty.Name());
        port.SetBaudRate(2400);
        port.SetQueueSizes(1024, 1024);
        EXPECT_TRUE(port.Open());
    }
    bool Send(std::size_t count) {
        const std::string block(count, 'x');
        return static_cast<bool>(port.WriteAll(block.data(), block.size()));
    }
};

} // namespace

TEST(COMSocketPacing, AWriteWaitsUntilTheBlockFitsTheQueue) {
    TPacedLine line;
    // An empty line takes a queue's worth at once.
    ASSERT_TRUE(line.Send(1000));
    EXPECT_EQ(line.clock.waited, 0ns);
    EXPECT_EQ(line.port.InFlight(), 1000u);
    // 40 more fit once 16 bytes have left the line.
    ASSERT_TRUE(line.Send(40));
    EXPECT_NEAR(line.clock.WaitedSeconds(), 16 * SECONDS_PER_BYTE, 1e-6);
    EXPECT_EQ(line.port.InFlight(), 1024u);
    // The time spent idle counts as carried.
    line.clock.now += 2s;
    EXPECT_EQ(line.port.InFlight(), 1024u - 480u);
    EXPECT_EQ(line.pty.Take().size(), 1040u);
}

TEST(COMSocketPacing, ATickerFasterThanTheLineIsHeldToTheLineRate) {
    TPacedLine line;
    // A 40-byte frame every 0.1 s asks for 400 B/s of a 240 B/s line.
    const auto start = line.clock.now;
    std::size_t sent = 0;
    for (int tick = 0; tick < 600; ++tick) {
        const auto due = start + tick * 100ms;
        if (line.clock.now < due)
            line.clock.now = due;
        ASSERT_TRUE(line.Send(40));
        sent += 40;
        ASSERT_LE(line.port.InFlight(), 1024u) << "tick " << tick;
    }
    // The sender keeps pace with the line: what it has written, less one
    // queue, has been carried in the time that passed.
    const double elapsed = std::chrono::duration<double>(line.clock.now - start).count();
    EXPECT_NEAR(elapsed, (sent - line.port.InFlight()) * SECONDS_PER_BYTE, 0.01);
    EXPECT_EQ(line.pty.Take().size(), sent);
}

TEST(COMSocketPacing, ABlockLargerThanTheQueueReturnsWhenItsTailFits) {
    TPacedLine line;
    ASSERT_TRUE(line.Send(100));
    ASSERT_TRUE(line.Send(5000));
    // First the 100 bytes drain, then the block is written and the write
    // returns once no more than a queue's worth is left.
    EXPECT_NEAR(line.clock.WaitedSeconds(), (100 + 5000 - 1024) * SECONDS_PER_BYTE, 1e-4);
    EXPECT_EQ(line.port.InFlight(), 1024u);
    EXPECT_EQ(line.pty.Take().size(), 5100u);
}

TEST(COMSocketPacing, TheDriversOwnCountWinsWhenItIsLarger) {
    TPacedLine line;
    // The driver still holds 3000 bytes from before, draining at the line rate.
    const auto start = line.clock.now;
    line.clock.driverQueued = [start](TLineClock::TTime now) {
        const double carried = std::chrono::duration<double>(now - start).count() / SECONDS_PER_BYTE;
        return std::max(0, 3000 - static_cast<int>(carried));
    };
    ASSERT_TRUE(line.Send(24));
    EXPECT_NEAR(line.clock.WaitedSeconds(), (3000 + 24 - 1024) * SECONDS_PER_BYTE, 0.01);
}

TEST(COMSocketPacing, TheQueueSizeAndRateSetThePace) {
    TPacedLine line;
    line.port.Close();
    line.port.SetBaudRate(9600);
    line.port.SetQueueSizes(1024, 100);
    ASSERT_TRUE(line.port.Open());
    ASSERT_TRUE(line.Send(100));
    ASSERT_TRUE(line.Send(10));
    EXPECT_NEAR(line.clock.WaitedSeconds(), 10 * 10.0 / 9600.0, 1e-6);
    EXPECT_EQ(line.port.InFlight(), 100u);
}
