#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

// The emulator's end of the line: a pseudo-terminal whose slave side the
// program opens as a serial port. The emulator keeps a slave descriptor of its
// own open, so the master never sees a hang-up between connections and no byte
// written before a close is lost; it watches the slave device for opens and
// closes, and lifts the program's exclusive-use flag when the program lets go,
// so the program can connect again.
class TPtyEndpoint {
public:
    enum class TPortEvent { Opened, Closed };

    TPtyEndpoint() = default;
    ~TPtyEndpoint();
    TPtyEndpoint(const TPtyEndpoint&) = delete;
    TPtyEndpoint& operator=(const TPtyEndpoint&) = delete;

    bool Open(QString& error);
    // Links folder/name to the slave device. An existing link whose target is
    // gone (left by an emulator that was killed) is replaced; anything else
    // there is left alone and reported.
    bool Publish(const QString& folder, const QString& name, QString& error);
    // Removes the link if it still points to this pseudo-terminal.
    void Unpublish();

    int MasterFd() const { return master_; }
    int WatchFd() const { return watch_; }
    const std::string& SlavePath() const { return slavePath_; }
    const QString& LinkPath() const { return linkPath_; }
    // Handles the program holds open (as far as the watch has told).
    int ProgramHandles() const { return handles_; }

    // Reads what the program wrote: up to max bytes, without blocking. Empty
    // when nothing is waiting.
    std::string Read(std::size_t max);
    // True when bytes are waiting on the master side.
    bool Readable() const;
    // Bytes the program has written that are still waiting to be read: what
    // is in flight on the line. The terminal layer counts no more than its
    // own buffer (about 4 KB) of it.
    std::size_t Waiting() const;
    // Opens and closes of the slave device seen since the last call.
    std::vector<TPortEvent> TakePortEvents();

private:
    void Close();

    int master_ = -1;
    int slave_ = -1;
    int watch_ = -1;
    int handles_ = 0;
    std::string slavePath_;
    QString linkPath_;
};

// The folder that publishes ports: $KR7_PORTS, or $XDG_RUNTIME_DIR/kr7-ports,
// or /tmp/kr7-ports-<user id>.
QString DefaultPortsFolder();
