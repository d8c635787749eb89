// Port names: the user's links folder beside KR7_PORTS, and what a port's
// device tells about itself.
#include "SerialPorts.h"

#include "COMSocket.h"
#include "PtyPort.h"
#include "ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A sysfs tree in which tty ttyName sits on a USB interface of an adapter.
void FakeUsbAdapter(const QString& root, const QString& ttyName) {
    const QString usb = root + "/devices/pci0000:00/usb1/1-2";
    const QString iface = usb + "/1-2:1.0";
    ASSERT_TRUE(QDir().mkpath(iface + "/" + ttyName));
    WriteText(usb + "/idVendor", "0403\n");
    WriteText(usb + "/manufacturer", "FTDI\n");
    WriteText(usb + "/product", "FT232R USB UART\n");
    WriteText(usb + "/serial", "A50285BI\n");
    // The interface itself has no maker of its own.
    WriteText(iface + "/bInterfaceClass", "ff\n");
    ASSERT_TRUE(QDir().mkpath(root + "/class/tty/" + ttyName));
    ASSERT_TRUE(QFile::link(iface, root + "/class/tty/" + ttyName + "/device"));
}

std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

} // namespace

TEST(SerialPorts, TheUsersLinksFolderIsReadBesideThePortsFolder) {
    TPtyPort linked(40);
    TPtyPort published(3); // the last one made names the folders
    const QString links = QString::fromStdString(PortLinksFolder());
    ASSERT_EQ(links, published.Folder() + "/config/KR7Controller/ports");
    ASSERT_TRUE(QDir().mkpath(links));
    // A stable link the user made, and one that shadows nothing.
    ASSERT_TRUE(QFile::link(QString::fromStdString(linked.SlavePath()), links + "/COM40"));
    ASSERT_TRUE(QFile::link(links + "/gone", links + "/COM41"));

    std::vector<std::string> list;
    ListSerialPorts(list);
    EXPECT_EQ(list, (std::vector<std::string>{"COM3", "COM40"}));
    EXPECT_EQ(SerialDevicePath(40), links.toStdString() + "/COM40");
    EXPECT_EQ(SerialDevicePath(3), published.Folder().toStdString() + "/COM3");

    TCOMSocket port;
    port.SelectPort("COM40");
    port.SetBaudRate(2400);
    ASSERT_TRUE(port.Open());
    const std::string frame = FromHex("FF 00 03 00 00 00 00 00 00 03");
    ASSERT_TRUE(port.WriteAll(frame.data(), frame.size()));
    EXPECT_EQ(linked.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
    EXPECT_EQ(published.Take(), "");

    // The links are read without KR7_PORTS too.
    TScopedEnv noFolder("KR7_PORTS", nullptr);
    ListSerialPorts(list);
    EXPECT_NE(std::find(list.begin(), list.end(), "COM40"), list.end());
    EXPECT_EQ(SerialDevicePath(40), links.toStdString() + "/COM40");
    EXPECT_EQ(SerialDevicePath(41), links.toStdString() + "/COM41");
    EXPECT_EQ(SerialDevicePath(33), "/dev/ttyUSB0");
}

TEST(SerialPorts, AUsbAdapterTellsMakerModelAndSerial) {
    TPtyPort adapter(33);
    TPtyPort plain(2);
    QTemporaryDir sysfs;
    FakeUsbAdapter(sysfs.path(), QString::fromStdString(BaseName(adapter.SlavePath())));
    QDir folder(plain.Folder());
    ASSERT_TRUE(QFile::link(QString::fromStdString(adapter.SlavePath()), folder.filePath("COM33")));

    const std::vector<TSerialPortInfo> ports = ListSerialPortInfo(sysfs.path().toStdString());
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].name, "COM2");
    EXPECT_EQ(ports[0].device, plain.SlavePath());
    EXPECT_EQ(ports[0].Description(), plain.SlavePath());
    EXPECT_EQ(ports[1].name, "COM33");
    EXPECT_EQ(ports[1].device, adapter.SlavePath());
    EXPECT_EQ(ports[1].Description(), adapter.SlavePath() + ": FTDI FT232R USB UART, nr seryjny A50285BI");
}
