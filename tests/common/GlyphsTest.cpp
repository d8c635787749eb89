#include "Glyphs.h"

#include "PtyPort.h"

#include <QColor>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

std::string Bytes(std::uint8_t value, std::size_t count) {
    return std::string(count, static_cast<char>(value));
}

// Every pixel of picture, fourth byte masked off, equals colour.
bool AllPixels(const QImage& picture, QRgb colour) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) != colour)
                return false;
    return true;
}

std::string Record(const QImage& cell) {
    TMemoryStream stream;
    WriteCharBitmap(cell, stream);
    return stream.Bytes();
}

std::string Records(const QImage& chars) {
    TMemoryStream stream;
    WriteCharsBitmap(chars, stream);
    return stream.Bytes();
}

// A repeatable byte sequence that holds every 2-bit value in every position.
std::string Scrambled(std::size_t count) {
    std::string bytes(count, '\0');
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 16);
    }
    return bytes;
}

// The bytes with every 2-bit value 1 turned into 3.
std::string OnesAsThrees(std::string bytes) {
    for (auto& c : bytes) {
        auto b = static_cast<std::uint8_t>(c);
        for (int shift = 0; shift < 8; shift += 2)
            if (((b >> shift) & 3) == 1)
                b |= 3 << shift;
        c = static_cast<char>(b);
    }
    return bytes;
}

} // namespace

TEST(Glyphs, NewPicturesAreGreyAt32Bits) {
    QImage chars, cell, screen;
    NewCharsBitmap(chars);
    NewCharBitmap(cell);
    NewScreenBitmap(screen);
    EXPECT_EQ(chars.size(), QSize(192, 288));
    EXPECT_EQ(cell.size(), QSize(12, 18));
    EXPECT_EQ(screen.size(), QSize(360, 288));
    for (const QImage* picture : {&chars, &cell, &screen}) {
        EXPECT_EQ(picture->format(), QImage::Format_RGB32);
        EXPECT_TRUE(AllPixels(*picture, LEVEL_GREY));
    }
    // An old picture of another size and format is replaced.
    QImage old(5, 5, QImage::Format_Mono);
    NewCharBitmap(old);
    EXPECT_EQ(old.size(), QSize(12, 18));
    EXPECT_EQ(old.format(), QImage::Format_RGB32);
}

TEST(Glyphs, UniformRecordsReadAndWriteBack) {
    const struct {
        std::uint8_t byte;
        QRgb colour;
    } cases[] = {{0xFF, LEVEL_GREY}, {0xAA, LEVEL_WHITE}, {0x00, LEVEL_BLACK}};
    for (const auto& c : cases) {
        TMemoryStream stream(Bytes(c.byte, 54));
        const std::optional<QImage> cell = ReadCharBitmap(stream);
        ASSERT_TRUE(cell.has_value());
        EXPECT_EQ(cell->size(), QSize(12, 18));
        EXPECT_EQ(cell->format(), QImage::Format_RGB32);
        EXPECT_TRUE(AllPixels(*cell, c.colour)) << int(c.byte);
        EXPECT_EQ(stream.Position(), 54u);
        EXPECT_EQ(ToHex(Record(*cell)), ToHex(Bytes(c.byte, 54)));
    }
}

TEST(Glyphs, RecordLayoutIsRowsOfThreeBytesLeftmostPixelHigh) {
    // Row 0 starts white, white, black, grey (0xA3); row 17 ends with black.
    std::string record = Bytes(0xFF, 54);
    record[0] = static_cast<char>(0xA3);
    record[53] = static_cast<char>(0xFC);
    // Value 1 is grey too.
    record[4] = 0x55;
    TMemoryStream stream(record);
    const std::optional<QImage> cell = ReadCharBitmap(stream);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->pixel(0, 0) & 0xFFFFFF, LEVEL_WHITE);
    EXPECT_EQ(cell->pixel(1, 0) & 0xFFFFFF, LEVEL_WHITE);
    EXPECT_EQ(cell->pixel(2, 0) & 0xFFFFFF, LEVEL_BLACK);
    EXPECT_EQ(cell->pixel(3, 0) & 0xFFFFFF, LEVEL_GREY);
    EXPECT_EQ(cell->pixel(11, 17) & 0xFFFFFF, LEVEL_BLACK);
    EXPECT_EQ(cell->pixel(10, 17) & 0xFFFFFF, LEVEL_GREY);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(cell->pixel(x, 1) & 0xFFFFFF, LEVEL_GREY) << x;
    record[4] = static_cast<char>(0xFF);
    EXPECT_EQ(ToHex(Record(*cell)), ToHex(record));
}

TEST(Glyphs, ShortStreamsGiveNone) {
    TMemoryStream empty;
    EXPECT_FALSE(ReadCharBitmap(empty).has_value());
    EXPECT_FALSE(ReadCharsBitmap(empty).has_value());

    TMemoryStream one(Bytes(0xAA, 53));
    EXPECT_FALSE(ReadCharBitmap(one).has_value());

    TMemoryStream set(Bytes(0xAA, 13823));
    EXPECT_FALSE(ReadCharsBitmap(set).has_value());

    // Two records in a row, then nothing: the third read fails.
    TMemoryStream two(Bytes(0x00, 54) + Bytes(0xAA, 54) + Bytes(0xFF, 10));
    const std::optional<QImage> first = ReadCharBitmap(two);
    const std::optional<QImage> second = ReadCharBitmap(two);
    ASSERT_TRUE(first.has_value() && second.has_value());
    EXPECT_TRUE(AllPixels(*first, LEVEL_BLACK));
    EXPECT_TRUE(AllPixels(*second, LEVEL_WHITE));
    EXPECT_FALSE(ReadCharBitmap(two).has_value());
}

TEST(Glyphs, BinarySetReadAndWrittenAgainTurnsOnesIntoThrees) {
    const std::string file = Scrambled(13824);
    TMemoryStream stream(file + "tail");
    const std::optional<QImage> chars = ReadCharsBitmap(stream);
    ASSERT_TRUE(chars.has_value());
    EXPECT_EQ(chars->size(), QSize(192, 288));
    EXPECT_EQ(stream.Position(), 13824u);
    const std::string written = Records(*chars);
    ASSERT_EQ(written.size(), 13824u);
    EXPECT_EQ(written, OnesAsThrees(file));
    // Code c's record is the cell at column c & 15, row c >> 4.
    const std::optional<QImage> cell = CopyCharBitmap(0x73, *chars);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(Record(*cell), OnesAsThrees(file.substr(54 * 0x73, 54)));
}

TEST(Glyphs, OnlyExactBlackAndWhiteAreWrittenAsSuch) {
    QImage cell;
    NewCharBitmap(cell);
    cell.setPixel(0, 0, qRgb(254, 254, 254));
    cell.setPixel(1, 0, qRgb(1, 1, 1));
    cell.setPixel(2, 0, qRgb(255, 255, 255));
    cell.setPixel(3, 0, qRgb(0, 0, 0));
    cell.setPixel(4, 0, qRgb(255, 0, 0));
    cell.setPixel(5, 0, qRgb(0, 0, 1));
    EXPECT_EQ(ToHex(Record(cell).substr(0, 3)), "F8 FF FF");
}

TEST(Glyphs, OtherFormatsAreConvertedAndWrongSizesWriteNothing) {
    QImage rgb(12, 18, QImage::Format_RGB888);
    rgb.fill(Qt::white);
    EXPECT_EQ(ToHex(Record(rgb)), ToHex(Bytes(0xAA, 54)));

    QImage argb(192, 288, QImage::Format_ARGB32);
    argb.fill(Qt::black);
    EXPECT_EQ(Records(argb), Bytes(0x00, 13824));

    EXPECT_EQ(Record(QImage()), "");
    EXPECT_EQ(Record(QImage(12, 17, QImage::Format_RGB32)), "");
    EXPECT_EQ(Record(QImage(13, 18, QImage::Format_RGB32)), "");
    EXPECT_EQ(Records(QImage()), "");
    EXPECT_EQ(Records(QImage(191, 288, QImage::Format_RGB32)), "");
    EXPECT_EQ(Records(QImage(360, 288, QImage::Format_RGB32)), "");
    EXPECT_FALSE(CopyCharBitmap(0, QImage()).has_value());
    EXPECT_FALSE(CopyCharBitmap(0, QImage(192, 287, QImage::Format_RGB32)).has_value());
}

TEST(Glyphs, CopyTakesTheCellOfTheCode) {
    // Each pixel tells where it is: red = x, green = y.
    QImage chars(192, 288, QImage::Format_RGB32);
    for (int y = 0; y < 288; ++y)
        for (int x = 0; x < 192; ++x)
            chars.setPixel(x, y, qRgb(x, y & 0xFF, y >> 8));
    const struct {
        std::uint8_t code;
        int x, y;
    } cases[] = {{0x00, 0, 0}, {0x0F, 180, 0}, {0x73, 36, 126}, {0xFF, 180, 270}};
    for (const auto& c : cases) {
        const std::optional<QImage> cell = CopyCharBitmap(c.code, chars);
        ASSERT_TRUE(cell.has_value());
        ASSERT_EQ(cell->size(), QSize(12, 18));
        EXPECT_EQ(cell->format(), QImage::Format_RGB32);
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(cell->pixel(x, y), chars.pixel(c.x + x, c.y + y)) << int(c.code) << " " << x << "," << y;
    }
    // A copy from an 8-bit picture comes out at 32 bits.
    const QImage grey8 = chars.convertToFormat(QImage::Format_Grayscale8);
    const std::optional<QImage> cell = CopyCharBitmap(0x73, grey8);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->format(), QImage::Format_RGB32);
}
