// The frames of programming, removing and showing a logo.
#include "LogoSequences.h"

#include "CountingProgress.h"
#include "KR7.h"
#include "PtyPort.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Frames in order, written as hex.
struct TWire {
    std::string bytes;
    TKR7 device{[this](const void* data, std::size_t size) { bytes.append(static_cast<const char*>(data), size); }};
    std::string Hex() const { return ToHex(bytes); }
};

// A table of one row [115, 0, 0, 0, 115] at (5, 3) and one tile: white top
// half, grey bottom half, a black pixel at the bottom left.
TLogoTable OneTileTable() {
    TLogoTable table;
    table.LogoRows = {std::string("\x73\0\0\0\x73", 5)};
    table.LogoOrigin = {5, 3};
    QImage tile(12, 18, QImage::Format_RGB32);
    tile.fill(0xFF808080);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            tile.setPixel(x, y, 0xFFFFFFFF);
    tile.setPixel(0, 17, 0xFF000000);
    table.LogoTiles[0] = tile;
    table.TileCount = 1;
    return table;
}

} // namespace

TEST(LogoSequences, ProgrammingSendsRowsBeforeTilesThenStores) {
    TWire wire;
    TLogoTable table = OneTileTable();
    table.LogoRows.insert(table.LogoRows.begin() + 1, std::string()); // an empty row sends nothing
    SendLogoProgram(wire.device, table, nullptr);
    std::string record;
    for (int i = 0; i < 9; ++i)
        record += " AA AA AA";
    for (int i = 0; i < 8; ++i)
        record += " FF FF FF";
    record += " 3F FF FF";
    EXPECT_EQ(wire.Hex(), "FF 00 03 00 00 00 00 00 00 03 "
                          "FF 00 01 01 00 00 00 00 00 02 "
                          "FF 00 07 01 00 00 00 00 00 08 "
                          "FF 00 06 05 03 05 00 00 00 13 73 00 00 00 73 "
                          "FF 00 05 73 00 00 00 00 00 78" +
                              record + " FF 00 02 00 00 00 00 00 00 02");

    TWire shown;
    SendLogoShow(shown.device, table);
    EXPECT_EQ(shown.Hex(), "FF 00 06 05 03 05 00 00 00 13 73 00 00 00 73");
}

TEST(LogoSequences, RemovalSendsTheDefaultGlyphsFrom115AndACancelLeavesTheScreenUnstored) {
    QImage chars(192, 288, QImage::Format_RGB32);
    chars.fill(0xFF808080);
    TWire wire;
    SendLogoRemoval(wire.device, chars, nullptr);
    const std::string hex = wire.Hex();
    EXPECT_EQ(wire.bytes.size(), 4u * 10 + 141 * 64);
    EXPECT_EQ(hex.substr(0, 3 * 34 - 1), "FF 00 03 00 00 00 00 00 00 03 FF 00 01 00 00 00 00 00 00 01 "
                                         "FF 00 07 00 00 00 00 00 00 07 FF 00 05 73");
    EXPECT_EQ(hex.substr(hex.size() - 29), "FF 00 02 00 00 00 00 00 00 02");

    TWire cut;
    TCountingProgress progress(2); // cancelled after two steps
    SendLogoRemoval(cut.device, chars, &progress);
    EXPECT_EQ(cut.bytes.size(), 3u * 10 + 2 * 64);
}
