#include "COMSocket.h"
#include "FakeLineClock.h"
#include "LineReader.h"
#include "PtyEndpoint.h"
#include "PtyPort.h"
#include "ScopedEnv.h"
#include "Session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the event loop until done() holds, for at most a few seconds.
bool ProcessUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// The emulator as the executable runs it: a published pseudo-terminal read on
// the event loop into a session, unpaced.
struct TLineFixture {
    QTemporaryDir dir;
    TPtyEndpoint endpoint;
    std::unique_ptr<TEmulatorSession> session;
    std::unique_ptr<TLineReader> reader;
    QStringList traffic;
    std::unique_ptr<TScopedEnv> ports;

    bool Start() {
        QString error;
        if (!endpoint.Open(error) || !endpoint.Publish(dir.filePath("ports"), "COM1", error)) {
            ADD_FAILURE() << error.toStdString();
            return false;
        }
        ports = std::make_unique<TScopedEnv>("KR7_PORTS", qPrintable(dir.filePath("ports")));
        QString notice;
        const QString state = dir.filePath("state.bin");
        session = std::make_unique<TEmulatorSession>(PowerOnState(state, notice), state, 0);
        session->SetTrafficHandler([this](const QString& line) { traffic << line; });
        reader = std::make_unique<TLineReader>(
            endpoint, 0,
            TLineReader::THandlers{[this](std::string_view bytes) { session->Feed(bytes); },
                                   [this] { session->EndOfStream(); },
                                   [this](const QString& line) { session->Note(line); }});
        return true;
    }
};

// The terminal layer hands written bytes to the master side a moment later;
// waits (the event loop not running, so nothing is read) until count are there.
bool WaitUntilWaiting(const TPtyEndpoint& endpoint, std::size_t count) {
    QDeadlineTimer deadline(5000);
    while (endpoint.Waiting() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(1);
    }
    return true;
}

bool Connect(TCOMSocket& port) {
    port.SelectPort("COM1");
    port.SetBaudRate(2400);
    return static_cast<bool>(port.Open());
}

} // namespace

TEST(EmulatorLine, CommandsFromTheProgramsPortReachTheScreen) {
    TLineFixture line;
    ASSERT_TRUE(line.Start());
    EXPECT_TRUE(QFileInfo(line.dir.filePath("ports/COM1")).isSymLink());

    TCOMSocket port;
    ASSERT_TRUE(Connect(port));
    const std::string bytes = FromHex("FF 00 03 00 00 00 00 00 00 03 FF 00 04 00 08 03 00 00 00 0F 61 62 63");
    ASSERT_TRUE(port.WriteAll(bytes.data(), bytes.size()));
    ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().frames == 2; }));
    EXPECT_EQ(line.session->Device().State().Cell(0, 8), 46);
    EXPECT_TRUE(ProcessUntil([&] { return line.traffic.contains("port opened"); }));
}

TEST(EmulatorLine, FrameCutOffByClosingIsDroppedAndTheProgramCanReconnect) {
    TLineFixture line;
    ASSERT_TRUE(line.Start());
    {
        TCOMSocket port;
        ASSERT_TRUE(Connect(port));
        // A WriteText frame whose 30 text bytes never come.
        const std::string cut = FromHex("FF 00 04 00 00 1E 00 00 00 22 61 62");
        ASSERT_TRUE(port.WriteAll(cut.data(), cut.size()));
        ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().bytes == cut.size(); }));
        EXPECT_EQ(line.session->Counters().droppedFrames, 0u);
    }
    ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().droppedFrames == 1; }));
    EXPECT_EQ(line.session->Counters().droppedBytes, 12u);
    EXPECT_TRUE(line.traffic.contains("port closed"));
    EXPECT_EQ(line.traffic.last().toStdString(),
              "frame cut off, 12 bytes dropped: FF 00 04 00 00 1E 00 00 00 22 61 62");

    // The next connection starts with a clean line.
    TCOMSocket again;
    ASSERT_TRUE(Connect(again));
    const std::string clear = FromHex("FF 00 03 00 00 00 00 00 00 03");
    ASSERT_TRUE(again.WriteAll(clear.data(), clear.size()));
    ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().frames == 1; }));
}

TEST(EmulatorLine, AProgramThatOpensAgainRightAfterAnotherClosedKeepsItsFramesWhole) {
    TLineFixture line;
    ASSERT_TRUE(line.Start());
    {
        TCOMSocket first;
        ASSERT_TRUE(Connect(first));
        const std::string clear = FromHex("FF 00 03 00 00 00 00 00 00 03");
        ASSERT_TRUE(first.WriteAll(clear.data(), clear.size()));
    }
    ASSERT_TRUE(ProcessUntil([&] { return line.traffic.contains("port closed"); }));
    // The next program opens before the close is settled, and its frame's
    // text comes well after the header, as paced writes send it.
    TCOMSocket second;
    ASSERT_TRUE(Connect(second));
    const std::string header = FromHex("FF 00 04 00 00 03 00 00 00 07");
    ASSERT_TRUE(second.WriteAll(header.data(), header.size()));
    QDeadlineTimer pause(600);
    while (!pause.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    const std::string text = "abc";
    ASSERT_TRUE(second.WriteAll(text.data(), text.size()));
    ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().frames == 2; }));
    EXPECT_EQ(line.session->Counters().droppedFrames, 0u);
    EXPECT_EQ(line.session->Device().State().Cell(0, 0), 46);
}

TEST(EmulatorLine, PublishingLeavesForeignEntriesAloneAndCleansUp) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("ports");
    ASSERT_TRUE(QDir().mkpath(folder));
    // A link left by a killed emulator is replaced.
    ASSERT_TRUE(QFile::link("/dev/pts/does-not-exist", folder + "/COM1"));
    QString error;
    {
        TPtyEndpoint endpoint;
        ASSERT_TRUE(endpoint.Open(error)) << error.toStdString();
        ASSERT_TRUE(endpoint.Publish(folder, "COM1", error)) << error.toStdString();
        EXPECT_EQ(QFileInfo(folder + "/COM1").symLinkTarget().toStdString(), endpoint.SlavePath());

        // A live entry is not taken over.
        TPtyEndpoint second;
        ASSERT_TRUE(second.Open(error));
        EXPECT_FALSE(second.Publish(folder, "COM1", error));
        EXPECT_TRUE(error.contains("already exists"));
        EXPECT_EQ(QFileInfo(folder + "/COM1").symLinkTarget().toStdString(), endpoint.SlavePath());
    }
    EXPECT_FALSE(QFileInfo(folder + "/COM1").isSymLink()) << "the link outlived the emulator";
}

TEST(EmulatorLine, TheCountersTellWhatIsInFlightAndHowFarBehindTheDisplayIs) {
    TLineFixture line;
    ASSERT_TRUE(line.Start());
    line.session->SetLineProbe([&line] { return line.endpoint.Waiting(); });
    TFakeLineClock clock; // the sender does not wait for the line here
    TCOMSocket port(&clock);
    ASSERT_TRUE(Connect(port));
    EXPECT_TRUE(line.session->CountersText().endsWith(", in flight 0 bytes, 0.0 s behind the sender"))
        << line.session->CountersText().toStdString();

    // Written, not yet read: the events have not run.
    const std::string text(1200, 'x');
    ASSERT_TRUE(port.WriteAll(text.data(), text.size()));
    ASSERT_TRUE(WaitUntilWaiting(line.endpoint, text.size()));
    EXPECT_EQ(line.session->LagText(), "in flight 1200 bytes, 5.0 s behind the sender");
    const std::string more(5000, 'y');
    ASSERT_TRUE(port.WriteAll(more.data(), more.size()));
    ASSERT_TRUE(WaitUntilWaiting(line.endpoint, 4095));
    EXPECT_TRUE(line.session->LagText().startsWith("in flight at least ")) << line.session->LagText().toStdString();

    ASSERT_TRUE(ProcessUntil([&] { return line.session->Counters().bytes == 6200; }));
    EXPECT_EQ(line.session->LagText(), "in flight 0 bytes, 0.0 s behind the sender");
}
