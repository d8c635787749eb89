#pragma once

#include "COMSocket.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Glyph codes of the logo table.
constexpr std::uint8_t CODE_EMPTY = 0;
constexpr std::uint8_t CODE_WHITE = 113;
constexpr std::uint8_t CODE_BLACK = 114;
constexpr int LOGO_FIRST_CODE = 115;
constexpr int LOGO_MAX_TILES = 141;

struct TLogoOrigin {
    int column = 0;
    int row = 0;
};

// The display device as the program sees it: every action becomes one
// 10-byte command frame, optionally followed by a payload. Nothing is read back.
class TKR7 {
public:
    static constexpr std::size_t FRAME_SIZE = 10;
    static constexpr std::size_t GLYPH_RECORD_SIZE = 54;

    explicit TKR7(TCOMSocket& port);
    ~TKR7();
    TKR7(const TKR7&) = delete;
    TKR7& operator=(const TKR7&) = delete;

    void SetCrossPosition(int x, int y);                            // 0
    void SetMode(int mode);                                         // 1
    void StoreScreen();                                             // 2
    void ClearScreen();                                             // 3
    void WriteText(int column, int row, const std::string& text);   // 4
    void LoadGlyph(int code, const std::uint8_t* record);           // 5
    void WriteCodes(int column, int row, const std::string& codes); // 6
    void SetStoredMode(int mode);                                   // 7

    // The logo table (filled by BuildLogoTable, see LogoTable.h).
    std::vector<std::string> LogoRows;
    TLogoOrigin LogoOrigin;
    std::array<std::optional<QImage>, LOGO_MAX_TILES> LogoTiles;

    // The last frame built, for inspection.
    const std::array<std::uint8_t, FRAME_SIZE>& Frame() const { return frame_; }

private:
    void Send(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, std::uint8_t p4,
              const void* payload = nullptr, std::size_t payloadSize = 0);

    TCOMSocket& port_;
    std::array<std::uint8_t, FRAME_SIZE> frame_{0xFF, 0x00};
};

// The checksum of a frame: the 8-bit sum of bytes 2 to 8.
std::uint8_t FrameChecksum(const std::uint8_t* frame);
