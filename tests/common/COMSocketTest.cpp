#include "COMSocket.h"

#include "FakeLineClock.h"
#include "OpenFailure.h"
#include "PtyPort.h"
#include "ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

TOpenResult OpenAt2400(TCOMSocket& port, const std::string& name) {
    port.SelectPort(name);
    port.SetBaudRate(2400);
    port.SetQueueSizes(1024, 1024);
    return port.Open();
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

// A line set up the way a previous program might have left it: cooked, 7E2,
// flow control on, another rate.
void Spoil(int masterFd) {
    termios tio{};
    ASSERT_EQ(::tcgetattr(masterFd, &tio), 0);
    tio.c_iflag |= ICRNL | IXON | IXOFF | IXANY | ISTRIP;
    tio.c_oflag |= OPOST | ONLCR;
    tio.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    tio.c_cflag &= ~CLOCAL;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ASSERT_EQ(::tcsetattr(masterFd, TCSANOW, &tio), 0);
}

} // namespace

TEST(COMSocket, OpenSetsRaw8N1At2400WithoutFlowControl) {
    TPtyPort pty;
    Spoil(pty.MasterFd());
    TCOMSocket port;
    ASSERT_TRUE(port.SelectPort(pty.Name()));
    // Closed: stored for the next open, reported as not applied.
    EXPECT_FALSE(port.SetBaudRate(2400));
    EXPECT_FALSE(port.SetQueueSizes(1024, 1024));
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.BaudRate(), 2400u);

    // The master side reads the line settings of the slave.
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B2400));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B2400));

    // Raw: every byte value passes unchanged, CR and LF included.
    const std::string bytes = AllBytes();
    EXPECT_TRUE(port.WriteAll(bytes.data(), bytes.size()));
    EXPECT_EQ(pty.TakeHex(), ToHex(bytes));
}

TEST(COMSocket, RateChangesWhileOpenAndUnsupportedRates) {
    TPtyPort pty;
    TCOMSocket port;
    ASSERT_TRUE(OpenAt2400(port, pty.Name()));
    EXPECT_TRUE(port.SetBaudRate(9600));
    EXPECT_EQ(port.BaudRate(), 9600u);
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B9600));

    // A rate the driver cannot take fails and leaves the port open as it was.
    EXPECT_FALSE(port.SetBaudRate(12345));
    EXPECT_TRUE(port.IsOpen());
    ASSERT_EQ(::tcgetattr(pty.MasterFd(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B9600));
    // ... and makes the next open fail, leaving the port closed.
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
}

TEST(COMSocket, OpenIsExclusiveUntilClosed) {
    TPtyPort pty;
    TCOMSocket first;
    ASSERT_TRUE(OpenAt2400(first, pty.Name()));

    TCOMSocket second;
    EXPECT_FALSE(OpenAt2400(second, pty.Name()));
    EXPECT_FALSE(second.IsOpen());
    // Another program taking the usual lock is refused too, root or not.
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (other >= 0) {
        EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
        ::close(other);
    }
    // Opening again reopens the same port and stays exclusive.
    EXPECT_TRUE(first.Open());
    EXPECT_FALSE(second.Open());

    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(first.Close()); // closing a closed port is a no-op
    ASSERT_TRUE(second.Open());
    const std::string frame = FromHex("FF 00 03 00 00 00 00 00 00 03");
    EXPECT_TRUE(second.WriteAll(frame.data(), frame.size()));
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
}

TEST(COMSocket, WritesToAClosedPortOrOfNothingReachNothing) {
    TPtyPort pty;
    TCOMSocket port;
    const char data[] = "abc";
    EXPECT_EQ(port.Write(data, 3), 0);
    EXPECT_FALSE(port.WriteAll(data, 3));
    ASSERT_TRUE(port.SelectPort(pty.Name()));
    EXPECT_EQ(port.Write(data, 3), 0);

    port.SetBaudRate(2400);
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.Write(data, 0), 0);
    EXPECT_EQ(port.Write(nullptr, 3), 0);
    EXPECT_FALSE(port.WriteAll(data, 0));
    EXPECT_FALSE(port.WriteAll(nullptr, 3));
    EXPECT_EQ(port.Write(data, 3), 3);
    EXPECT_EQ(pty.Take(), "abc");

    ASSERT_TRUE(port.Close());
    EXPECT_EQ(port.Write(data, 3), 0);
    EXPECT_EQ(port.WriteAll(data, 3).error, TWriteError::NotOpen);
    EXPECT_EQ(pty.Take(), "");
}

TEST(COMSocket, LargeBlocksArriveWhole) {
    TPtyPort pty;
    TFakeLineClock clock;
    TCOMSocket port(&clock);
    ASSERT_TRUE(OpenAt2400(port, pty.Name()));
    std::string block;
    for (int i = 0; i < 64 * 1024; ++i)
        block.push_back(static_cast<char>(i * 7));
    EXPECT_TRUE(port.WriteAll(block.data(), block.size()));
    EXPECT_EQ(pty.Take(), block);
}

TEST(COMSocket, SelectPortTakesComAndANumber) {
    TCOMSocket port;
    EXPECT_EQ(port.PortNumber(), 0);
    EXPECT_EQ(port.BaudRate(), 100u);
    EXPECT_TRUE(port.SelectPort("COM3"));
    EXPECT_EQ(port.PortNumber(), 3);
    EXPECT_FALSE(port.SelectPort("LPT1"));
    EXPECT_EQ(port.PortNumber(), 3);
    EXPECT_FALSE(port.SelectPort("com4"));
    EXPECT_EQ(port.PortNumber(), 3);
    EXPECT_FALSE(port.SelectPort("CO"));
    EXPECT_FALSE(port.SelectPort(""));
    EXPECT_EQ(port.PortNumber(), 3);
    EXPECT_FALSE(port.SelectPort("COMx"));
    EXPECT_EQ(port.PortNumber(), 0);
    EXPECT_TRUE(port.SelectPort("COM12"));
    EXPECT_FALSE(port.SelectPort("COM"));
    EXPECT_EQ(port.PortNumber(), 0);
    EXPECT_FALSE(port.SelectPort("COM3x"));
    EXPECT_EQ(port.PortNumber(), 0);
    EXPECT_FALSE(port.SelectPort("COM99999999999999999999"));
    EXPECT_EQ(port.PortNumber(), 0);
    EXPECT_FALSE(port.SelectPort("COM+-4"));
    EXPECT_FALSE(port.SelectPort("COM 4"));
    EXPECT_FALSE(port.Open()); // nothing selected: no device
}

TEST(COMSocket, SelectPortIsRefusedWhileOpenAndLptKeepsTheOldPort) {
    TPtyPort pty(5);
    TCOMSocket port;
    ASSERT_TRUE(port.SelectPort("COM5"));
    EXPECT_FALSE(port.SelectPort("LPT1"));
    port.SetBaudRate(2400);
    ASSERT_TRUE(port.Open()); // the port chosen before LPT1
    EXPECT_FALSE(port.SelectPort("COM3"));
    EXPECT_EQ(port.PortNumber(), 5);
    EXPECT_TRUE(port.IsOpen());
}

TEST(COMSocket, ListsTheLinksInTheFolderInNaturalOrder) {
    TPtyPort com3(3);
    TPtyPort com10(10);
    TPtyPort com2(2);
    QDir folder(com2.Folder());
    // Gather the three ports in one folder, with some clutter beside them.
    ASSERT_TRUE(QFile::link(QString::fromStdString(com3.SlavePath()), folder.filePath("COM3")));
    ASSERT_TRUE(QFile::link(QString::fromStdString(com10.SlavePath()), folder.filePath("COM10")));
    ASSERT_TRUE(QFile::link(folder.filePath("gone"), folder.filePath("COM7")));
    QFile plain(folder.filePath("COM5"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(QFile::link(QString::fromStdString(com3.SlavePath()), folder.filePath("COMx")));
    ASSERT_TRUE(QFile::link(QString::fromStdString(com3.SlavePath()), folder.filePath("notes")));

    std::vector<std::string> list{"stale"};
    ListSerialPorts(list);
    EXPECT_EQ(list, (std::vector<std::string>{"COM2", "COM3", "COM10"}));

    // The dangling link and the plain file do not open as ports.
    TCOMSocket port;
    ASSERT_TRUE(port.SelectPort("COM7"));
    EXPECT_FALSE(port.Open());
    ASSERT_TRUE(port.SelectPort("COM5"));
    EXPECT_FALSE(port.Open());
    ASSERT_TRUE(port.SelectPort("COM10"));
    port.SetBaudRate(2400);
    EXPECT_TRUE(port.Open());
}

TEST(COMSocket, ListWithAMissingFolderOrWithoutOne) {
    QTemporaryDir dir;
    {
        TScopedEnv env("KR7_PORTS", dir.filePath("missing").toLocal8Bit().constData());
        std::vector<std::string> list{"stale"};
        ListSerialPorts(list);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(SerialDevicePath(3), dir.filePath("missing/COM3").toStdString());
    }
    TScopedEnv env("KR7_PORTS", nullptr);
    std::vector<std::string> list{"stale"};
    ListSerialPorts(list); // whatever this machine has, in the fixed bands
    int previous = 0;
    for (const std::string& name : list) {
        ASSERT_EQ(name.rfind("COM", 0), 0u) << name;
        const int number = std::stoi(name.substr(3));
        EXPECT_GT(number, previous);
        EXPECT_LE(number, 96);
        previous = number;
    }
    EXPECT_EQ(SerialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath(32), "/dev/ttyS31");
    EXPECT_EQ(SerialDevicePath(33), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath(65), "/dev/ttyACM0");
    EXPECT_EQ(SerialDevicePath(96), "/dev/ttyACM31");
    EXPECT_EQ(SerialDevicePath(97), "");
    EXPECT_EQ(SerialDevicePath(0), "");
    EXPECT_EQ(SerialDevicePath(-1), "");
}

TEST(COMSocket, AVanishedDeviceFailsQuietlyAndCanBeReconnected) {
    TPtyPort pty;
    TCOMSocket port;
    ASSERT_TRUE(OpenAt2400(port, pty.Name()));
    pty.CloseMaster();
    const std::string frame = FromHex("FF 00 03 00 00 00 00 00 00 03");
    EXPECT_EQ(port.Write(frame.data(), frame.size()), 0);
    // Told apart from other failures, so the window can treat it as a disconnection.
    const TWriteResult gone = port.WriteAll(frame.data(), frame.size());
    EXPECT_FALSE(gone);
    EXPECT_EQ(gone.error, TWriteError::DeviceGone);
    EXPECT_EQ(gone.errorNumber, EIO);
    EXPECT_EQ(port.LastWriteFailure().error, TWriteError::DeviceGone);
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.Open()); // the link dangles now

    TPtyPort replugged;
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.LastWriteFailure().error, TWriteError::None);
    EXPECT_TRUE(port.WriteAll(frame.data(), frame.size()));
    EXPECT_EQ(replugged.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
}
