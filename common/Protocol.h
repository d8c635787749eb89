#pragma once

#include <cstddef>
#include <cstdint>

// The wire protocol of the KR-7 and the screen it drives: the one place that
// names the command codes, the frame and record sizes and the screen geometry.

// Command codes, byte 2 of every frame.
enum class TCommand : std::uint8_t {
    SetCrossPosition = 0,
    SetMode = 1,
    StoreScreen = 2,
    ClearScreen = 3,
    WriteText = 4,
    LoadGlyph = 5,
    WriteCodes = 6,
    SetStoredMode = 7,
};
constexpr std::uint8_t LAST_COMMAND_CODE = static_cast<std::uint8_t>(TCommand::SetStoredMode);

// A frame: FF 00, the code, six parameter bytes, the checksum.
constexpr std::size_t FRAME_SIZE = 10;
constexpr std::uint8_t FRAME_HEADER_0 = 0xFF;
constexpr std::uint8_t FRAME_HEADER_1 = 0x00;
// The length byte of a text or code payload holds at most this many bytes.
constexpr std::size_t MAX_PAYLOAD_SIZE = 255;
// One glyph at 2 bits per pixel, 3 bytes per row: the payload of LoadGlyph.
constexpr std::size_t GLYPH_RECORD_SIZE = 54;
constexpr int GLYPH_COUNT = 256;
constexpr std::size_t GLYPH_SET_BYTES = GLYPH_COUNT * GLYPH_RECORD_SIZE; // 13,824

// Display modes of SetMode and SetStoredMode.
constexpr int MODE_CROSS = 0;
constexpr int MODE_TEXT = 1;
// The crosshair positions the service page offers.
constexpr int CROSS_MAX_X = 359;
constexpr int CROSS_MAX_Y = 143;

// The screen: 30 x 16 cells of 12 x 18 pixels.
constexpr int GLYPH_WIDTH = 12;
constexpr int GLYPH_HEIGHT = 18;
constexpr int SCREEN_COLUMNS = 30;
constexpr int SCREEN_ROWS = 16;
constexpr int SCREEN_CELLS = SCREEN_COLUMNS * SCREEN_ROWS;
constexpr int SCREEN_WIDTH = SCREEN_COLUMNS * GLYPH_WIDTH; // 360
constexpr int SCREEN_HEIGHT = SCREEN_ROWS * GLYPH_HEIGHT;  // 288

// Glyph codes of the logo table.
constexpr std::uint8_t CODE_EMPTY = 0;
constexpr std::uint8_t CODE_WHITE = 113;
constexpr std::uint8_t CODE_BLACK = 114;
constexpr int LOGO_FIRST_CODE = 115;
constexpr int LOGO_MAX_TILES = 141;
