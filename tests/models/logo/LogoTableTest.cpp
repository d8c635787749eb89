#include "LogoTable.h"

#include "CountingProgress.h"
#include "Glyphs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QImage GreyView() {
    QImage view(360, 288, QImage::Format_RGB32);
    view.fill(0xFF808080);
    return view;
}

void FillCell(QImage& view, int col, int row, QRgb colour) {
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x)
            view.setPixel(col * 12 + x, row * 18 + y, 0xFF000000 | colour);
}

// A glyph cell whose pattern is numbered by n (a binary number in the first row).
void GlyphCell(QImage& view, int col, int row, int n) {
    FillCell(view, col, row, 0x808080);
    view.setPixel(col * 12 + 11, row * 18 + 17, 0xFF000000);
    for (int bit = 0; bit < 8; ++bit)
        view.setPixel(col * 12 + bit, row * 18, (n >> bit) & 1 ? 0xFFFFFFFF : 0xFF000000);
}

std::string Codes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s.push_back(static_cast<char>(c));
    return s;
}

class LogoTableTest : public ::testing::Test {
protected:
    // Builds the table as the Logo page does; true when the logo fits.
    bool Build(const QImage& view, TProgress* progress) {
        std::optional<TLogoTable> built = BuildLogoTable(view, progress);
        if (!built)
            return false;
        table = std::move(*built);
        count = table.TileCount;
        return !table.Failed;
    }

    TLogoTable table;
    int count = 0;
};

} // namespace

TEST_F(LogoTableTest, IdenticalCellsShareOneTile) {
    QImage view = GreyView();
    GlyphCell(view, 5, 3, 7);
    GlyphCell(view, 9, 3, 7);
    TCountingProgress progress;
    ASSERT_TRUE(Build(view, &progress));
    EXPECT_EQ(count, 1);
    ASSERT_EQ(table.LogoRows.size(), 1u);
    EXPECT_EQ(table.LogoRows[0], Codes({115, 0, 0, 0, 115}));
    EXPECT_EQ(table.LogoOrigin.column, 5);
    EXPECT_EQ(table.LogoOrigin.row, 3);
    EXPECT_EQ(progress.max, 480);
    EXPECT_EQ(progress.steps, 480);
    EXPECT_TRUE(IsLogoGenerated(table));
    EXPECT_EQ(*table.LogoTiles[0], view.copy(60, 54, 12, 18));
    EXPECT_FALSE(table.LogoTiles[1].has_value());
}

TEST_F(LogoTableTest, WhiteCellsLeftOfTheLogoAreDroppedAndRightOfItKept) {
    QImage view = GreyView();
    FillCell(view, 2, 1, 0xFFFFFF);
    GlyphCell(view, 4, 1, 1);
    FillCell(view, 8, 1, 0xFFFFFF);
    FillCell(view, 9, 1, 0x000000);
    GlyphCell(view, 4, 4, 2);
    FillCell(view, 6, 6, 0x000000); // below the last glyph row: dropped
    ASSERT_TRUE(Build(view, nullptr));
    ASSERT_EQ(table.LogoRows.size(), 4u);
    EXPECT_EQ(table.LogoRows[0], Codes({115, 0, 0, 0, 113, 114}));
    EXPECT_EQ(table.LogoRows[1], ""); // an empty row inside the logo stays
    EXPECT_EQ(table.LogoRows[2], "");
    EXPECT_EQ(table.LogoRows[3], Codes({116}));
    EXPECT_EQ(table.LogoOrigin.column, 4);
    EXPECT_EQ(table.LogoOrigin.row, 1);
}

TEST_F(LogoTableTest, TileLimit) {
    QImage view = GreyView();
    for (int n = 0; n < 141; ++n)
        GlyphCell(view, n % 30, n / 30, n);
    ASSERT_TRUE(Build(view, nullptr));
    EXPECT_EQ(count, 141);
    EXPECT_TRUE(table.LogoTiles[140].has_value());
    EXPECT_EQ(static_cast<std::uint8_t>(table.LogoRows[4][20]), 255);

    GlyphCell(view, 21, 4, 141);
    count = 0;
    TCountingProgress progress;
    EXPECT_FALSE(Build(view, &progress));
    EXPECT_EQ(count, 141);
    EXPECT_EQ(progress.steps, 141);
    EXPECT_FALSE(IsLogoGenerated(table));
    EXPECT_FALSE(table.LogoTiles[0].has_value());
}

TEST_F(LogoTableTest, OnePixelMakesANewTileAndNoGlyphCellLeavesTheTableEmpty) {
    QImage view = GreyView();
    GlyphCell(view, 0, 0, 3);
    GlyphCell(view, 29, 15, 3);
    GlyphCell(view, 1, 0, 3);
    view.setPixel(12 + 6, 9, 0xFFFFFFFF);
    ASSERT_TRUE(Build(view, nullptr));
    EXPECT_EQ(count, 2);

    QImage flat = GreyView();
    FillCell(flat, 3, 3, 0xFFFFFF);
    FillCell(flat, 4, 3, 0x000000);
    count = 0;
    ASSERT_TRUE(Build(flat, nullptr));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(table.LogoRows.empty());
    EXPECT_FALSE(IsLogoGenerated(table));
}

TEST_F(LogoTableTest, WrongViewSizeChangesNothing) {
    QImage view = GreyView();
    GlyphCell(view, 0, 0, 3);
    ASSERT_TRUE(Build(view, nullptr));
    EXPECT_FALSE(Build(QImage(100, 100, QImage::Format_RGB32), nullptr));
    EXPECT_EQ(table.LogoRows.size(), 1u);
}

TEST(LogoTiles, Classification) {
    QImage cell(12, 18, QImage::Format_RGB32);
    cell.fill(0xFF808080);
    EXPECT_TRUE(IsEmptyTile(cell));
    cell.setPixel(3, 3, 0xFF000080); // navy is no ink
    EXPECT_TRUE(IsEmptyTile(cell));
    cell.fill(0xFFFFFFFF);
    EXPECT_TRUE(IsUniformTile(cell, LEVEL_WHITE));
    EXPECT_FALSE(IsUniformTile(cell, LEVEL_BLACK));
    QImage other = cell.copy();
    EXPECT_TRUE(SameTile(cell, other));
    other.setPixel(11, 17, 0xFF000000);
    EXPECT_FALSE(SameTile(cell, other));
    EXPECT_FALSE(SameTile(cell, cell.copy(0, 0, 12, 17)));
    EXPECT_TRUE(SameTile(cell, cell.convertToFormat(QImage::Format_ARGB32)));
}

TEST_F(LogoTableTest, DrawLogoTilesFillsCodesFromTheFirstLogoCode) {
    QImage view = GreyView();
    GlyphCell(view, 0, 0, 1);
    GlyphCell(view, 1, 0, 2);
    ASSERT_TRUE(Build(view, nullptr));
    TCharsImage chars;
    const QImage before = chars.Image().copy();
    DrawLogoTiles(table, chars);
    EXPECT_EQ(chars.Image().copy(36, 126, 12, 18), view.copy(0, 0, 12, 18));  // code 115
    EXPECT_EQ(chars.Image().copy(48, 126, 12, 18), view.copy(12, 0, 12, 18)); // code 116
    EXPECT_EQ(chars.Image().copy(60, 126, 12, 18), before.copy(60, 126, 12, 18));
}
