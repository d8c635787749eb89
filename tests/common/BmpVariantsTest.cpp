// Rarer bitmaps through the import: the OS/2 core header, run-length coding
// cut short, bit fields of any width, alpha masks, variants that are not read.
#include "BmpBytes.h"
#include "PictureFile.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TPictureResult Read(const QByteArray& bytes) {
    return ReadPicture(bytes, TPictureFormat::Bmp);
}

// A 16-colour palette of four-byte entries: entry i is (i*16, 0, 255-i*16).
QByteArray Palette16() {
    QByteArray p(16 * 4, '\0');
    for (int i = 0; i < 16; ++i) {
        p[4 * i] = static_cast<char>(255 - i * 16); // blue
        p[4 * i + 2] = static_cast<char>(i * 16);   // red
    }
    return p;
}

QRgb PaletteColour(int i) {
    return qRgb(i * 16, 0, 255 - i * 16);
}

} // namespace

TEST(BmpVariantsTest, RunLengthBitmapsCutShortAreRefused) {
    // 8 x 4 pixels, each row one run alternating colours 1 and 2, then the end mark.
    QByteArray codes;
    for (int y = 0; y < 4; ++y)
        codes += QByteArray::fromHex("0812") + QByteArray::fromHex("0000");
    codes += QByteArray::fromHex("0001");
    const QByteArray rle4 = BmpFile(40, 8, 4, 4, 2, Palette16(), codes);
    const TPictureResult whole = Read(rle4);
    ASSERT_TRUE(whole.Ok());
    EXPECT_EQ(whole.image.pixel(0, 0), PaletteColour(1));
    EXPECT_EQ(whole.image.pixel(7, 3), PaletteColour(2));
    const qsizetype data = rle4.size() - codes.size();
    for (double share : {0.1, 0.5, 0.75}) {
        const qsizetype keep = data + static_cast<qsizetype>(static_cast<double>(codes.size()) * share);
        EXPECT_EQ(Read(rle4.left(keep)).fault, TPictureFault::Damaged) << share;
    }
    // Literal pixels running past the end are missing data too.
    const QByteArray literal = BmpFile(40, 8, 1, 4, 2, Palette16(), QByteArray::fromHex("00081212"));
    EXPECT_EQ(Read(literal).fault, TPictureFault::Damaged);
}

TEST(BmpVariantsTest, CoreHeaderBitmapsHonourTheirDataOffsetAndLength) {
    // 4 x 2 pixels of 8 bits, a palette of 256 three-byte entries (entry i
    // is grey i), then 12 bytes the data offset skips.
    QByteArray palette(256 * 3, '\0');
    for (int i = 0; i < 256; ++i)
        palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = static_cast<char>(i);
    const QByteArray rows = QByteArray::fromHex("0a141e28"
                                                "323c4650"); // bottom row first
    const QByteArray gap(12, '\x7f');
    const QByteArray os2 = BmpFile(12, 4, 2, 8, 0, palette + gap, rows);
    const TPictureResult read = Read(os2);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.image.size(), QSize(4, 2));
    EXPECT_EQ(read.image.pixel(0, 1), qRgb(10, 10, 10));
    EXPECT_EQ(read.image.pixel(3, 0), qRgb(80, 80, 80));
    for (qsizetype cut : {os2.size() / 10, os2.size() / 2, os2.size() - 1})
        EXPECT_EQ(Read(os2.left(cut)).fault, TPictureFault::Damaged) << cut;
    // 24 bits: blue, green, red
    const TPictureResult colour = Read(BmpFile(12, 1, 1, 24, 0, QByteArray(),
                                               QByteArray::fromHex("102030"
                                                                   "00")));
    ASSERT_TRUE(colour.Ok());
    EXPECT_EQ(colour.image.pixel(0, 0), qRgb(0x30, 0x20, 0x10));
}

TEST(BmpVariantsTest, BitFieldsOfAnyWidthAndAlphaMasks) {
    struct TCase {
        const char* name;
        int header;
        std::uint32_t compression;
        std::vector<std::uint32_t> masks;
        std::uint32_t pixel;
        QRgb expected;
    };
    for (const TCase& c : {
             // 10-10-10: red full, green half, blue none
             TCase{"10-10-10", 40, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF80000, 0xFFFF8000},
             // 11-11-10: red none, green full, blue a quarter
             TCase{"11-11-10", 40, 3, {0xFFE00000, 0x001FFC00, 0x000003FF}, 0x001FFCFF, 0xFF00FF3F},
             // 10-10-10-2 in a V5 header: alpha 1 of 3
             TCase{"10-10-10-2", 124, 3, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}, 0x7FF00000, 0x55FF0000},
             // alpha bit fields after a 40-byte header: transparent
             TCase{"alpha bit fields", 40, 6, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 0x00123456, 0x00808080},
             // 5-6-5 in 32 bits
             TCase{"5-6-5 in 32", 40, 3, {0xF800, 0x07E0, 0x001F}, 0xFFFF, 0xFFFFFFFF},
         }) {
        SCOPED_TRACE(c.name);
        QByteArray masks = Le32s(c.masks);
        QByteArray header(c.header - 40, '\0');
        if (c.header > 40) { // the masks inside the header
            header.replace(0, masks.size(), masks);
            masks.clear();
        }
        QByteArray file = BmpFile(40, 2, 1, 32, c.compression, masks, Le32s({c.pixel, 0xFFFFFFFF}));
        file.insert(14 + 40, header);
        PutLe32(file, 14, static_cast<std::uint32_t>(c.header));
        PutLe32(file, 10, static_cast<std::uint32_t>(14 + c.header + masks.size()));
        const TPictureResult read = Read(file);
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.image.pixel(0, 0), c.expected) << std::hex << read.image.pixel(0, 0);
        EXPECT_EQ(read.image.format(), qAlpha(c.expected) == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    }
    // An alpha mask that no pixel fills: opaque, as other programs show it.
    const QByteArray unfilled =
        BmpFile(40, 1, 1, 32, 6, Le32s({0xFF0000, 0xFF00, 0xFF, 0xFF000000}), Le32s({0x00102030}));
    EXPECT_EQ(Read(unfilled).image.pixel(0, 0), 0xFF102030u);
    // Masks with gaps are not a bitmap any writer makes.
    EXPECT_EQ(Read(BmpFile(40, 1, 1, 32, 3, Le32s({0xF0F000, 0xFF00, 0xFF}), Le32s({0}))).fault,
              TPictureFault::Damaged);
}

TEST(BmpVariantsTest, VariantsThatAreNotReadSaySo) {
    struct TCase {
        const char* name;
        QByteArray file;
        TPictureVariant variant;
        int bits;
        TPictureFormat content;
    };
    const QByteArray pixels(16, '\0');
    for (const TCase& c : {
             TCase{"2 bits", BmpFile(40, 4, 2, 2, 0, Palette16().left(16), pixels), TPictureVariant::PixelBits, 2,
                   TPictureFormat::Unknown},
             TCase{"JPEG inside", BmpFile(40, 4, 2, 0, 4, QByteArray(), QByteArray("\xFF\xD8\xFF\xE0", 4)),
                   TPictureVariant::EmbeddedFormat, 0, TPictureFormat::Jpeg},
             TCase{"PNG inside", BmpFile(40, 4, 2, 0, 5, QByteArray(), QByteArray("\x89PNG\r\n\x1A\n")),
                   TPictureVariant::EmbeddedFormat, 0, TPictureFormat::Png},
         }) {
        SCOPED_TRACE(c.name);
        const TPictureResult read = Read(c.file);
        EXPECT_EQ(read.fault, TPictureFault::Unsupported);
        EXPECT_EQ(read.variant, c.variant);
        EXPECT_EQ(read.bits, c.bits);
        EXPECT_EQ(read.content, c.content);
    }
}
