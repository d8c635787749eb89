#include "Glyphs.h"
#include "PtyPort.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>

// The default glyph set as it lies in the source tree (the program carries the
// same file as a resource).
namespace {

// The source folder comes from the build: __FILE__ is relative where the
// compiler cache rewrites paths, and tests run in the build folder.
QString DefaultCharsPath() {
    const auto path = std::filesystem::path(KR7_SOURCE_DIR) / "resources/DefaultChars.bmp";
    return QString::fromStdString(path.lexically_normal().string());
}

QByteArray FileBytes() {
    QFile file(DefaultCharsPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage DefaultChars() {
    return QImage(DefaultCharsPath());
}

std::string DefaultRecords() {
    TMemoryStream stream;
    WriteCharsBitmap(DefaultChars(), stream);
    return stream.Bytes();
}

std::string RecordOf(const std::string& records, int code) {
    return records.substr(54 * code, 54);
}

// The record of a line glyph: white at column (if any) and row (if any), grey elsewhere.
std::string LineRecord(std::optional<int> column, std::optional<int> row) {
    std::string record;
    for (int y = 0; y < 18; ++y)
        for (int g = 0; g < 12; g += 4) {
            unsigned b = 0;
            for (int x = g; x < g + 4; ++x)
                b = b << 2 | ((x == column || y == row) ? 2u : 3u);
            record.push_back(static_cast<char>(b));
        }
    return record;
}

std::uint32_t Le32(const QByteArray& bytes, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

// The glyph cell of code as a grid of 2-bit values (0 black, 2 white, 3 grey).
struct TCell {
    std::array<std::array<int, 12>, 18> v{};
    explicit TCell(const std::string& record) {
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 12; ++x)
                v[y][x] = (static_cast<std::uint8_t>(record[3 * y + x / 4]) >> (6 - 2 * (x % 4))) & 3;
    }
    int TopRow() const {
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 12; ++x)
                if (v[y][x] != 3)
                    return y;
        return -1;
    }
    int BottomRow() const {
        for (int y = 17; y >= 0; --y)
            for (int x = 0; x < 12; ++x)
                if (v[y][x] != 3)
                    return y;
        return -1;
    }
    bool Has(int value) const {
        for (const auto& row : v)
            for (int p : row)
                if (p == value)
                    return true;
        return false;
    }
    // Every white pixel is surrounded by white or black: the outline is closed
    // and never leaves the cell.
    bool Outlined() const {
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 12; ++x) {
                if (v[y][x] != 2)
                    continue;
                if (x == 0 || x == 11 || y == 17)
                    return false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (y + dy >= 0 && v[y + dy][x + dx] == 3)
                            return false;
            }
        return true;
    }
};

} // namespace

TEST(DefaultChars, IsA4BitBmpOfTheGlyphImageWithTheStandardPalette) {
    const QByteArray bytes = FileBytes();
    ASSERT_GE(bytes.size(), 54 + 64) << DefaultCharsPath().toStdString();
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(Le32(bytes, 18), 192u);                   // width
    EXPECT_EQ(Le32(bytes, 22), 288u);                   // height, bottom-up
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 4); // bits per pixel
    EXPECT_EQ(Le32(bytes, 30), 0u);                     // uncompressed
    EXPECT_EQ(static_cast<qsizetype>(Le32(bytes, 2)), bytes.size());
    const std::array<std::uint32_t, 16> palette{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const std::uint32_t colours = Le32(bytes, 46);
    EXPECT_TRUE(colours == 0 || colours == 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Le32(bytes, 54 + 4 * i), palette[i]) << "palette entry " << i;

    const QImage image = DefaultChars();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(192, 288));
    // Only black, grey and white are used.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 288; ++y)
        for (int x = 0; x < 192; ++x) {
            const QRgb p = rgb.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == LEVEL_BLACK || p == LEVEL_GREY || p == LEVEL_WHITE) << x << "," << y;
        }
}

TEST(DefaultChars, PlainGlyphs) {
    const std::string records = DefaultRecords();
    ASSERT_EQ(records.size(), 13824u);
    EXPECT_EQ(ToHex(RecordOf(records, 113)), ToHex(std::string(54, '\xAA')));
    EXPECT_EQ(ToHex(RecordOf(records, 114)), ToHex(std::string(54, '\x00')));
    EXPECT_EQ(ToHex(RecordOf(records, 0)), ToHex(std::string(54, '\xFF')));
    for (int code = 115; code <= 126; ++code)
        EXPECT_EQ(ToHex(RecordOf(records, code)), ToHex(std::string(54, '\xFF'))) << code;
}

TEST(DefaultChars, EveryLineGlyphFollowsItsRule) {
    const std::string records = DefaultRecords();
    ASSERT_EQ(records.size(), 13824u);
    // Code 127: row 0 all white, then column 0 white on every row.
    std::string glyph127 = "AA AA AA";
    for (int y = 1; y < 18; ++y)
        glyph127 += " BF FF FF";
    EXPECT_EQ(ToHex(RecordOf(records, 127)), glyph127);
    for (int x = 0; x < 12; ++x)
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(ToHex(RecordOf(records, 127 + 9 * x + k)), ToHex(LineRecord(x, 2 * k))) << x << "," << k;
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(ToHex(RecordOf(records, 235 + k)), ToHex(LineRecord(std::nullopt, 2 * k))) << k;
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(ToHex(RecordOf(records, 244 + x)), ToHex(LineRecord(x, std::nullopt))) << x;
}

TEST(DefaultChars, CharacterShapesAreOutlinedAndRestOnTheBottomRow) {
    const std::string records = DefaultRecords();
    ASSERT_EQ(records.size(), 13824u);
    for (int code = 1; code <= 112; ++code) {
        const TCell cell(RecordOf(records, code));
        EXPECT_TRUE(cell.Has(2) && cell.Has(0)) << code;
        EXPECT_TRUE(cell.Outlined()) << code;
    }
    // Digits and capitals stand on rows 2..17; six capitals carry an accent above.
    for (int code = 1; code <= 45; ++code) {
        const TCell cell(RecordOf(records, code));
        const bool accentAbove = code == 15 || code == 29 || code == 31 || code == 36 || code == 44 || code == 45;
        EXPECT_EQ(cell.TopRow(), accentAbove ? 0 : 2) << code;
        EXPECT_EQ(cell.BottomRow(), 17) << code;
    }
    // Small letters rest on row 17 too; those with descenders fit rows 4..17.
    for (int code = 46; code <= 80; ++code)
        EXPECT_EQ(TCell(RecordOf(records, code)).BottomRow(), 17) << code;
    for (int code : {55, 67, 68, 77})
        EXPECT_EQ(TCell(RecordOf(records, code)).TopRow(), 4) << code;
    // Small letters without ascenders or marks start at row 5.
    for (int code : {46, 49, 52, 62, 63, 65, 69, 70, 73, 74, 75, 76, 78})
        EXPECT_EQ(TCell(RecordOf(records, code)).TopRow(), 5) << code;
}
