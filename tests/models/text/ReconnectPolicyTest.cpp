// The reconnect policy on a pseudo-terminal: a vanished device closes the
// port with one report, quiet tries follow while the connection is wanted,
// and the port back is reported and announced as a new connection.
#include "COMSocket.h"
#include "KR7.h"
#include "PtyPort.h"
#include "Reconnect.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace {

class ReconnectPolicyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(port.SelectPort(first->Name()));
        port.SetBaudRate(2400);
        ASSERT_TRUE(port.Open());
    }
    // The device vanishes and a frame goes out.
    void Vanish() {
        first->CloseMaster();
        // The dangling link could lead to another program's new terminal of the same number.
        QFile::remove(first->Folder() + QStringLiteral("/COM3"));
        device.ClearScreen();
        device.ClearScreen();
    }
    QTimer* Tries() const { return reconnect.findChild<QTimer*>(QStringLiteral("TimerReconnect")); }

    std::unique_ptr<TPtyPort> first = std::make_unique<TPtyPort>(3);
    TCOMSocket port;
    bool wanted = true;
    std::vector<TTextFact> reports;
    int reopened = 0;
    TReconnect reconnect{port, [this] { return wanted; },
                         [this](const TTextEvent& event) { reports.push_back(event.fact); }, [this] { ++reopened; }};
    TKR7 device{[this](const void* data, std::size_t size) { reconnect.Write(data, size); }};
};

TEST_F(ReconnectPolicyTest, AVanishedDeviceIsReportedOnceAndTriedQuietly) {
    Vanish();
    EXPECT_EQ(reports, std::vector<TTextFact>{TTextFact::DeviceGone});
    EXPECT_FALSE(port.IsOpen());
    ASSERT_NE(Tries(), nullptr);
    EXPECT_EQ(Tries()->interval(), TReconnect::RETRY_MS);
    QSignalSpy tries(Tries(), &QTimer::timeout);
    ASSERT_TRUE(tries.wait(TReconnect::RETRY_MS * 3));
    EXPECT_EQ(reports, std::vector<TTextFact>{TTextFact::DeviceGone});
    EXPECT_TRUE(reconnect.Trying());

    TPtyPort back(3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return reopened == 1; }, TReconnect::RETRY_MS * 3));
    EXPECT_EQ(reports, (std::vector<TTextFact>{TTextFact::DeviceGone, TTextFact::Connecting}));
    EXPECT_FALSE(reconnect.Trying());
    AnnounceConnected(device, port.PortNumber(), [this](const TTextEvent& event) { reports.push_back(event.fact); });
    EXPECT_EQ(back.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    EXPECT_EQ(reports.size(), 4u);
}

TEST_F(ReconnectPolicyTest, NoTriesWhenTheConnectionIsNoLongerWanted) {
    wanted = false;
    Vanish();
    EXPECT_FALSE(reconnect.Trying());
    wanted = true;
    device.ClearScreen(); // the port is closed: dropped, nothing to report
    EXPECT_EQ(reports, std::vector<TTextFact>{TTextFact::DeviceGone});
}

} // namespace
