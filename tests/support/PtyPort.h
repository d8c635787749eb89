#pragma once

#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// A pseudo-terminal published as a serial port: the slave side is linked as
// COM<n> in a fresh folder that KR7_PORTS names while this object lives, and
// a background thread drains the master side, so the program's blocking
// writes never stall. Tests read what reached "the device" with Take().
// XDG_CONFIG_HOME names a fresh folder too, so the user's own port links
// are never seen.
class TPtyPort {
public:
    explicit TPtyPort(int comNumber = 3);
    ~TPtyPort();
    TPtyPort(const TPtyPort&) = delete;
    TPtyPort& operator=(const TPtyPort&) = delete;

    // "COM3".
    std::string Name() const;
    // Every byte received since the last Take, once the line has been quiet
    // for a moment (bounded by a few seconds).
    std::string Take();
    // As Take, but first waits (bounded by a few seconds) for at least count
    // bytes, for a frame that a busy machine may deliver late.
    std::string TakeAtLeast(std::size_t count);
    // Take() as upper-case hex: "FF 00 03".
    std::string TakeHex();
    // The device vanishes: the master side is closed and the link dangles.
    void CloseMaster();
    // The folder that KR7_PORTS names.
    const QString& Folder() const { return folderPath_; }
    // The slave device path ("/dev/pts/N").
    const std::string& SlavePath() const { return slavePath_; }
    // The master side, for reading the link settings with tcgetattr (-1 once closed).
    int MasterFd() const { return master_; }

private:
    void Drain();
    void StopDrain();

    int comNumber_;
    int master_ = -1;
    std::string slavePath_;
    QTemporaryDir folder_;
    QString folderPath_;
    std::optional<std::string> previousPorts_;
    std::optional<std::string> previousConfig_;

    std::thread drainer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string received_;
    std::size_t arrivals_ = 0;
};

// "FF 00 03": upper case, single spaces.
std::string ToHex(const std::string& bytes);
// The reverse of ToHex; blanks anywhere are ignored.
std::string FromHex(const std::string& hex);
