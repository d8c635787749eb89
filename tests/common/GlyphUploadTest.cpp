#include "GlyphUpload.h"

#include "CountingProgress.h"
#include "Glyphs.h"
#include "Wire.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace {

// A glyph image whose every glyph differs: code c has c's bits as white and
// black pixels on its top row.
QImage NumberedChars() {
    QImage chars;
    NewCharsBitmap(chars);
    for (int code = 0; code < 256; ++code) {
        const QPoint origin = GlyphOrigin(code);
        for (int bit = 0; bit < 8; ++bit)
            chars.setPixel(origin.x() + bit, origin.y(), (code >> bit & 1) ? 0xFFFFFFFFu : 0xFF000000u);
    }
    return chars;
}

std::string Frame(int code) {
    const unsigned char c = static_cast<unsigned char>(code);
    return std::string("\xFF\x00\x05", 3) + static_cast<char>(c) + std::string(5, '\0') +
           static_cast<char>(static_cast<unsigned char>(5 + c));
}

// The frames and records that upload codes first..last of records.
std::string Uploads(const std::string& records, int first, int last) {
    std::string out;
    for (int code = first; code <= last; ++code)
        out += Frame(code) + records.substr(54 * code, 54);
    return out;
}

std::string RecordsOf(const QImage& chars) {
    TMemoryStream stream;
    WriteCharsBitmap(chars, stream);
    return stream.Bytes();
}

} // namespace

TEST(GlyphUpload, OneGlyphIsAFrameAndItsRecord) {
    TWire wire;
    ASSERT_TRUE(wire.port.IsOpen());
    QImage white(12, 18, QImage::Format_RGB32);
    white.fill(Qt::white);
    SendCharBitmap(wire.kr7, 115, white);
    EXPECT_EQ(wire.pty.TakeHex(), "FF 00 05 73 00 00 00 00 00 78 " + ToHex(std::string(54, '\xAA')));
}

TEST(GlyphUpload, PicturesWithoutARecordSendNothing) {
    TWire wire;
    ASSERT_TRUE(wire.port.IsOpen());
    TCountingProgress progress;
    SendCharBitmap(wire.kr7, 1, QImage());
    SendCharBitmap(wire.kr7, 1, QImage(12, 17, QImage::Format_RGB32));
    SendCharsBitmap(wire.kr7, QImage(191, 288, QImage::Format_RGB32), 0, &progress, 255);
    SendCharsBitmap(wire.kr7, QImage(), 0, nullptr, 255);
    EXPECT_EQ(wire.pty.TakeHex(), "");
    EXPECT_EQ(progress.max, 256);
    EXPECT_EQ(progress.steps, 0);
}

TEST(GlyphUpload, WholeSetIs256GlyphsInCodeOrder) {
    TWire wire;
    const QImage chars = NumberedChars();
    TCountingProgress progress;
    SendCharsBitmap(wire.kr7, chars, 0, &progress, 255);
    const std::string sent = wire.pty.Take();
    EXPECT_EQ(sent.size(), 16384u);
    EXPECT_EQ(ToHex(sent), ToHex(Uploads(RecordsOf(chars), 0, 255)));
    EXPECT_EQ(progress.max, 256);
    EXPECT_EQ(progress.steps, 256);
}

TEST(GlyphUpload, ARangeTakesEachRecordFromItsCode) {
    TWire wire;
    const QImage chars = NumberedChars();
    const std::string records = RecordsOf(chars);
    TCountingProgress progress;
    SendCharsBitmap(wire.kr7, chars, 115, &progress, 255);
    const std::string sent = wire.pty.Take();
    EXPECT_EQ(sent.size(), 141u * 64);
    EXPECT_EQ(ToHex(sent), ToHex(Uploads(records, 115, 255)));
    EXPECT_EQ(progress.max, 141);
    EXPECT_EQ(progress.steps, 141);

    // Without a progress bar; one code; codes outside 0..255 are clamped.
    SendCharsBitmap(wire.kr7, chars, 7, nullptr, 7);
    EXPECT_EQ(ToHex(wire.pty.Take()), ToHex(Uploads(records, 7, 7)));
    SendCharsBitmap(wire.kr7, chars, 250, &progress, 1000);
    EXPECT_EQ(ToHex(wire.pty.Take()), ToHex(Uploads(records, 250, 255)));
    EXPECT_EQ(progress.max, 6);
    SendCharsBitmap(wire.kr7, chars, -3, nullptr, 1);
    EXPECT_EQ(ToHex(wire.pty.Take()), ToHex(Uploads(records, 0, 1)));
    // An empty range sends nothing.
    SendCharsBitmap(wire.kr7, chars, 10, &progress, 9);
    EXPECT_EQ(wire.pty.Take(), "");
    EXPECT_EQ(progress.max, 0);
}
