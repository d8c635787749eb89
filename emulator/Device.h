#pragma once

#include "FrameParser.h"
#include "Glyphs.h"
#include "Protocol.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Everything the display keeps: what it shows and what it remembers.
struct TDeviceState {
    std::array<std::uint8_t, SCREEN_CELLS> screen{}; // glyph codes, row by row
    std::uint8_t mode = MODE_TEXT;
    std::uint8_t storedMode = MODE_TEXT; // the mode shown after power-on
    int crossX = 180;
    int crossY = 72;
    std::string glyphs = std::string(GLYPH_COUNT * GLYPH_RECORD_SIZE, '\xFF'); // 256 records

    std::uint8_t Cell(int column, int row) const { return screen[row * SCREEN_COLUMNS + column]; }
    std::string GlyphRecord(int code) const { return glyphs.substr(code * GLYPH_RECORD_SIZE, GLYPH_RECORD_SIZE); }
    bool operator==(const TDeviceState&) const = default;
};

// The 256 records of the glyph set built into the program, read from the
// resource ":/DefaultChars.bmp"; none when the resource is missing or malformed.
std::optional<std::string> DefaultGlyphRecords();

// The KR-7 display: executes decoded commands on its state and draws its screen.
class TEmulatedDevice {
public:
    // Called on StoreScreen with the state to keep.
    using TStoreHandler = std::function<void(const TDeviceState&)>;

    TEmulatedDevice() = default;
    explicit TEmulatedDevice(TDeviceState state) : state_(std::move(state)) {}

    const TDeviceState& State() const { return state_; }
    void SetStoreHandler(TStoreHandler handler) { store_ = std::move(handler); }

    // Executes one command; returns a remark when the device had to ignore or
    // cut part of it (empty otherwise).
    std::string Apply(const TDeviceCommand& command);

    // The screen as the display shows it: 360 x 288, 32 bits per pixel.
    QImage Render() const;
    // One glyph of the device's memory as a 12 x 18 picture.
    QImage RenderGlyph(int code) const;

private:
    std::string SetCross(const TDeviceCommand& command);
    std::string SetMode(std::uint8_t mode, bool stored);
    std::string WriteCells(const TDeviceCommand& command, bool mapText);
    std::string LoadGlyph(const TDeviceCommand& command);
    void DrawGlyph(QImage& image, int code, int left, int top) const;
    void DrawCross(QImage& image) const;

    TDeviceState state_;
    TStoreHandler store_;
};
