#pragma once

#include "Device.h"
#include "FrameParser.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>
#include <string_view>

// A decoded command in words: "SetMode(1 text)", "WriteText(column 0, row 8, "abc")".
QString DescribeCommand(const TDeviceCommand& command);
// One traffic line for any parser event: the words, then the bytes in hex.
QString DescribeEvent(const TParserEvent& event);
// "FF 00 03": upper case, single spaces.
QString HexBytes(std::string_view bytes);

// The state the display powers on with: the kept state when the file holds
// one, otherwise a blank text screen over the default glyph set. The screen
// comes up in the stored mode. notice tells what happened, for the user.
TDeviceState PowerOnState(const QString& statePath, QString& notice);

// The emulated display on its line: bytes in, decoded commands executed on
// the device, each event described for the traffic pane and the log file,
// and the kept state written to the state file on every StoreScreen.
class TEmulatorSession {
public:
    using TTrafficHandler = std::function<void(const QString& line)>;

    TEmulatorSession(TDeviceState initial, QString statePath, int baud);

    void Feed(std::string_view bytes);
    // The program closed the port: a frame it left unfinished is dropped.
    void EndOfStream();
    // A remark about the port itself ("port opened", "port closed").
    void Note(const QString& line);

    void SetTrafficHandler(TTrafficHandler handler) { traffic_ = std::move(handler); }
    // Tells how many bytes wait on the line, for the counters.
    void SetLineProbe(std::function<std::size_t()> waiting) { waiting_ = std::move(waiting); }
    // Writes the traffic, one event a line, to path as well (replaced).
    bool OpenLog(const QString& path, QString& error);

    const TEmulatedDevice& Device() const { return device_; }
    const TParserCounters& Counters() const { return parser_.Counters(); }
    int Baud() const { return baud_; }
    // Seconds the bytes received so far take on the line (at 2400 baud when unpaced).
    double LineSeconds() const;
    int StoresWritten() const { return storesWritten_; }
    // "frames 12, bytes 340, checksum errors 0, ..."; with a line probe, also
    // the bytes in flight and how far the display is behind the sender.
    QString CountersText() const;
    // "in flight 1020 bytes, 4.3 s behind the sender"; empty without a probe.
    QString LagText() const;

private:
    void OnEvent(const TParserEvent& event);
    void OnStore(const TDeviceState& state);
    void Emit(const QString& line);

    TEmulatedDevice device_;
    TFrameParser parser_;
    QString statePath_;
    int baud_;
    int storesWritten_ = 0;
    QString storeError_; // why the last StoreScreen could not be kept
    TTrafficHandler traffic_;
    std::function<std::size_t()> waiting_;
    std::unique_ptr<QFile> log_;
};
