#include "PictureFile.h"

#include "BmpBytes.h"
#include "JpegBytes.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A four-channel JPEG of w x h pixels, the top half cyan, the bottom half
// red, stored as CMYK or YCCK, with or without the Adobe marker.
QByteArray CyanOverRedJpeg(int w, int h, bool ycck, bool adobeMarker) {
    const TInks cyan = {255, 0, 0, 0};
    const TInks red = {0, 255, 255, 0};
    return EncodeCmykJpeg(TCmykJpeg{
        .width = w, .height = h, .top = cyan, .bottom = red, .ycck = ycck, .adobeMarker = adobeMarker, .quality = 95});
}

// A 16-bit bitmap of w x h pixels all of one 16-bit value: 5-5-5 without
// bit fields (BI_RGB), or with the given masks (BI_BITFIELDS).
QByteArray Bmp16(int w, int h, std::uint16_t pixel, std::optional<std::array<std::uint32_t, 3>> masks) {
    const int stride = (w * 2 + 3) / 4 * 4;
    QByteArray pixels(stride * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            PutLe16(pixels, y * stride + 2 * x, pixel);
    return BmpFile(40, w, h, 16, masks ? 3 : 0, masks ? Le32s({(*masks)[0], (*masks)[1], (*masks)[2]}) : QByteArray(),
                   pixels);
}

// A 3 x 1 16-bit PNG, grey or colour, with a transparent colour (tRNS): the
// first pixel that colour, the second opaque, the third differing from the
// key only in the low byte of each sample.
QByteArray Png16WithKey(bool colour) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QByteArray out;
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t size) {
            static_cast<QByteArray*>(png_get_io_ptr(p))
                ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        },
        nullptr);
    png_set_IHDR(png, info, 3, 1, 16, colour ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color_16 key{};
    key.gray = key.red = 0x1234;
    key.green = 0x2345;
    key.blue = 0x3456;
    png_set_tRNS(png, info, nullptr, 0, &key);
    png_write_info(png, info);
    const QByteArray row = colour ? QByteArray::fromHex("123423453456"
                                                        "c0c040408080"
                                                        "123523463457")
                                  : QByteArray::fromHex("1234"
                                                        "c0c0"
                                                        "1235");
    png_write_row(png, reinterpret_cast<png_const_bytep>(row.constData()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// The JPEG with an Exif block right after its start that gives the orientation.
QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation, bool bigEndian) {
    const QByteArray tiff = bigEndian ? QByteArray::fromHex("4d4d002a00000008"
                                                            "0001"
                                                            "011200030000000100") +
                                            QByteArray(1, static_cast<char>(orientation)) +
                                            QByteArray::fromHex("0000"
                                                                "00000000")
                                      : QByteArray::fromHex("49492a0008000000"
                                                            "0100"
                                                            "1201030001000000") +
                                            QByteArray(1, static_cast<char>(orientation)) +
                                            QByteArray::fromHex("000000"
                                                                "00000000");
    QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = static_cast<int>(exif.size()) + 2;
    QByteArray segment = QByteArray::fromHex("ffe1");
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

QImage TwoColourPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(0, 0, 200));
    return image;
}

// The bitmap with the height in its info header, a signed 32-bit number at byte 22.
QByteArray WithBmpHeight(QByteArray bmp, std::int32_t height) {
    const auto h = static_cast<std::uint32_t>(height);
    for (int i = 0; i < 4; ++i)
        bmp[22 + i] = static_cast<char>((h >> (8 * i)) & 0xFF);
    return bmp;
}

class PictureFileTest : public ::testing::Test, protected TTempFolder {};

bool Near(QRgb a, QRgb b, int tolerance = 12) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST_F(PictureFileTest, JpegIsDecodedIntoRgb32InAnyLetterCase) {
    const QByteArray jpeg = EncodeJpeg(TwoColourPicture(40, 30));
    for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("b.JPG"), QStringLiteral("c.Jpeg")}) {
        QImage image;
        ASSERT_TRUE(LoadPictureFile(image, Write(name, jpeg))) << name.toStdString();
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(40, 30));
        EXPECT_TRUE(Near(image.pixel(5, 3), qRgb(0, 0, 200)));
        EXPECT_TRUE(Near(image.pixel(5, 27), qRgb(250, 250, 250)));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    }
}

TEST_F(PictureFileTest, BitmapsOfEveryDepth) {
    const QImage picture = TwoColourPicture(33, 17);
    struct TCase {
        QImage::Format format;
        int bits;
    };
    for (const TCase c : {TCase{QImage::Format_Mono, 1}, TCase{QImage::Format_Indexed8, 4},
                          TCase{QImage::Format_Indexed8, 8}, TCase{QImage::Format_RGB32, 24}}) {
        QImage source = picture.convertToFormat(c.format);
        if (c.bits == 8) // more than 16 colours makes the writer keep 8 bits
            source.setColorCount(20);
        const QString path = Path(QStringLiteral("p%1.bmp").arg(c.bits));
        ASSERT_TRUE(source.save(path, "BMP"));
        ASSERT_EQ(static_cast<uchar>(Read(path)[28]), c.bits);
        QImage image;
        ASSERT_TRUE(LoadPictureFile(image, path)) << c.bits;
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(33, 17));
        EXPECT_EQ(image.pixel(32, 16) & 0xFFFFFF, source.pixel(32, 16) & 0xFFFFFF) << c.bits;
        EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, source.pixel(0, 0) & 0xFFFFFF) << c.bits;
    }
}

TEST_F(PictureFileTest, Bmp32RoundTrip) {
    QImage picture = TwoColourPicture(7, 5);
    picture.setPixel(6, 4, qRgb(1, 2, 3));
    const QString path = Path("LogoBitmap.bmp");
    ASSERT_TRUE(SaveBmp32File(picture, path));
    const QByteArray bytes = Read(path);
    EXPECT_EQ(bytes.size(), 54 + 7 * 5 * 4);
    EXPECT_EQ(bytes.mid(18, 8).toHex(' '), "07 00 00 00 05 00 00 00"); // 7 x 5, bottom row first
    EXPECT_EQ(static_cast<uchar>(bytes[28]), 32);
    // Blue, green, red and a zero byte.
    EXPECT_EQ(bytes.mid(54, 4).toHex(' '), "fa fa fa 00");
    EXPECT_EQ(bytes.mid(54 + 6 * 4, 4).toHex(' '), "03 02 01 00");
    QImage image;
    ASSERT_TRUE(LoadPictureFile(image, path));
    EXPECT_EQ(image, picture);
}

TEST_F(PictureFileTest, ThinPictures) {
    for (QSize size : {QSize(1, 1), QSize(1, 5000)}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(qRgb(9, 9, 9));
        QImage image;
        ASSERT_TRUE(SaveBmp32File(picture, Path("thin.bmp")));
        ASSERT_TRUE(LoadPictureFile(image, Path("thin.bmp")));
        EXPECT_EQ(image.size(), size);
        ASSERT_TRUE(LoadPictureFile(image, Write("thin.jpg", EncodeJpeg(picture))));
        EXPECT_EQ(image.size(), size);
    }
}

TEST_F(PictureFileTest, BadFilesFailAndLeaveThePictureAlone) {
    const QByteArray jpeg = EncodeJpeg(TwoColourPicture(64, 64));
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(Path("real.png"), "PNG"));
    QImage bmp32 = TwoColourPicture(64, 64);
    ASSERT_TRUE(SaveBmp32File(bmp32, Path("full.bmp")));
    const QByteArray bmp = Read(Path("full.bmp"));

    QByteArray corrupt = jpeg;
    for (qsizetype i = corrupt.size() / 2; i < corrupt.size() - 2; ++i)
        corrupt[i] = static_cast<char>(0xA5 ^ i);

    // A valid header that declares 60000 x 60000 pixels.
    QByteArray bomb = jpeg;
    const qsizetype sof = bomb.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7}) {
        bomb[sof + i] = static_cast<char>(60000 >> 8);
        bomb[sof + i + 1] = static_cast<char>(60000 & 0xFF);
    }

    QByteArray bmpBomb = bmp;
    bmpBomb[18] = 0x60; // 60000 = 0xEA60
    bmpBomb[19] = static_cast<char>(0xEA);
    bmpBomb[22] = 0x60;
    bmpBomb[23] = static_cast<char>(0xEA);

    QByteArray garbage(1000, '\0');
    std::uint32_t state = 7;
    for (char& c : garbage)
        c = static_cast<char>((state = state * 1664525u + 1013904223u) >> 24);

    const std::vector<QString> bad = {
        Write("truncated.jpg", jpeg.left(jpeg.size() / 2)),
        Write("corrupt.jpg", corrupt),
        Write("header-only.jpg", jpeg.left(20)),
        Write("empty.jpeg", QByteArray()),
        Write("png.jpg", Read(Path("real.png"))),
        Write("bomb.jpg", bomb),
        Write("truncated.bmp", bmp.left(bmp.size() / 2)),
        Write("header.bmp", bmp.left(30)),
        Write("text.bmp", "this is not a bitmap"),
        Write("bomb.bmp", bmpBomb),
        Write("garbage.jpg", jpeg.left(2) + garbage),
        Write("garbage.bmp", bmp.left(14) + garbage.left(200)),
        Write("tallest.bmp", WithBmpHeight(bmp, INT32_MAX)),
        Write("tallest-top-down.bmp", WithBmpHeight(bmp, INT32_MIN)),
        Write("tall-top-down.bmp", WithBmpHeight(bmp, -3000000)),
        Write("bmp.png", bmp),
        Path("missing.jpg"),
        Write("noext", jpeg),
    };
    for (const QString& path : bad) {
        QImage image(3, 3, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        EXPECT_FALSE(LoadPictureFile(image, path)) << path.toStdString();
        EXPECT_EQ(image.size(), QSize(3, 3));
        EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));
    }
    // A negative height that fits is a top-down bitmap.
    QImage image;
    EXPECT_TRUE(LoadPictureFile(image, Write("top-down.bmp", WithBmpHeight(bmp, -64))));
    EXPECT_EQ(image.size(), QSize(64, 64));
}

TEST_F(PictureFileTest, DamagedFilesNeverCrash) {
    const QByteArray jpeg = EncodeJpeg(TwoColourPicture(48, 32));
    ASSERT_TRUE(SaveBmp32File(TwoColourPicture(48, 32), Path("ok.bmp")));
    QImage eight = TwoColourPicture(48, 32).convertToFormat(QImage::Format_Indexed8);
    eight.setColorCount(30);
    ASSERT_TRUE(eight.save(Path("ok8.bmp"), "BMP"));
    const std::vector<std::pair<QByteArray, QString>> sources = {
        {jpeg, "m.jpg"}, {Read(Path("ok.bmp")), "m.bmp"}, {Read(Path("ok8.bmp")), "m8.bmp"}};
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (const auto& [bytes, name] : sources) {
        for (int round = 0; round < 150; ++round) {
            QByteArray damaged = bytes;
            const int changes = 1 + static_cast<int>(next() % 8);
            for (int i = 0; i < changes; ++i)
                damaged[static_cast<qsizetype>(next() % static_cast<std::uint32_t>(damaged.size()))] =
                    static_cast<char>(next());
            QImage image;
            if (LoadPictureFile(image, Write(name, damaged))) {
                EXPECT_FALSE(image.isNull());
            }
        }
    }
}

TEST_F(PictureFileTest, CmykAndYcckJpegsAreConvertedToRgb) {
    struct TCase {
        const char* name;
        bool ycck;
        bool adobe;
    };
    for (const TCase c :
         {TCase{"cmyk-adobe.jpg", false, true}, TCase{"cmyk-plain.jpg", false, false}, TCase{"ycck.jpg", true, true}}) {
        SCOPED_TRACE(c.name);
        QImage image;
        ASSERT_TRUE(LoadPictureFile(image, Write(c.name, CyanOverRedJpeg(32, 16, c.ycck, c.adobe))));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(32, 16));
        EXPECT_TRUE(Near(image.pixel(10, 2), qRgb(0, 255, 255))) << std::hex << image.pixel(10, 2);
        EXPECT_TRUE(Near(image.pixel(10, 13), qRgb(255, 0, 0))) << std::hex << image.pixel(10, 13);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    }
}

TEST_F(PictureFileTest, SixteenBitBitmapsReachFullIntensity) {
    using TMasks = std::array<std::uint32_t, 3>;
    struct TCase {
        const char* name;
        std::uint16_t pixel;
        std::optional<TMasks> masks;
        QRgb expected;
    };
    const TMasks m555{0x7C00, 0x03E0, 0x001F};
    const TMasks m565{0xF800, 0x07E0, 0x001F};
    for (const TCase c : {
             TCase{"white555.bmp", 0x7FFF, std::nullopt, 0xFFFFFF},
             TCase{"white555f.bmp", 0x7FFF, m555, 0xFFFFFF},
             TCase{"white565.bmp", 0xFFFF, m565, 0xFFFFFF},
             TCase{"black565.bmp", 0x0000, m565, 0x000000},
             // 5 bits 10000 become 10000100, 6 bits 100000 become 10000010
             TCase{"mid565.bmp", 0x8410, m565, 0x848284},
             TCase{"red555.bmp", 0x7C00, std::nullopt, 0xFF0000},
         }) {
        SCOPED_TRACE(c.name);
        QImage image;
        ASSERT_TRUE(LoadPictureFile(image, Write(c.name, Bmp16(5, 3, c.pixel, c.masks))));
        EXPECT_EQ(image.size(), QSize(5, 3));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        for (QPoint p : {QPoint(0, 0), QPoint(4, 2)})
            EXPECT_EQ(image.pixel(p) & 0xFFFFFF, c.expected) << std::hex << image.pixel(p);
    }
    // short of its rows: refused
    const QByteArray whole = Bmp16(5, 3, 0x7FFF, std::nullopt);
    QImage image;
    EXPECT_EQ(LoadPicture(Write("short16.bmp", whole.left(whole.size() - 1))).fault, TPictureFault::Damaged);
}

TEST_F(PictureFileTest, TransparencyIsKeptThroughTheWorkingPictureFile) {
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 0, 0));
    for (int x = 0; x < 6; ++x)
        picture.setPixel(x, 0, qRgba(255, 255, 255, 255));
    picture.setPixel(0, 1, qRgba(0, 0, 0, 255));
    picture.setPixel(1, 1, qRgba(255, 0, 0, 128));
    ASSERT_TRUE(picture.save(Path("a.png"), "PNG"));
    const QImage read = LoadPicture(Path("a.png")).image;
    EXPECT_EQ(read.format(), QImage::Format_ARGB32);
    EXPECT_EQ(read.pixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(read.pixel(0, 1), 0xFF000000u);
    EXPECT_EQ(read.pixel(1, 1), qRgba(255, 0, 0, 128));
    EXPECT_EQ(read.pixel(3, 3), 0x00808080u); // every transparent pixel alike

    // The working picture file keeps it: a 124-byte header, bit fields with an alpha mask.
    ASSERT_TRUE(SaveBmp32File(read, Path("LogoBitmap.bmp")));
    const QByteArray bytes = Read(Path("LogoBitmap.bmp"));
    EXPECT_EQ(bytes.mid(10, 8).toHex(), "8a0000007c000000");
    EXPECT_EQ(bytes.mid(28, 6).toHex(), "200003000000");
    EXPECT_EQ(bytes.mid(54, 16).toHex(), "0000ff0000ff0000ff000000000000ff");
    EXPECT_EQ(bytes.size(), 138 + 6 * 4 * 4);
    EXPECT_EQ(LoadPicture(Path("LogoBitmap.bmp")).image, read);
    const QImage other(Path("LogoBitmap.bmp"), "BMP"); // another program's reader
    EXPECT_EQ(qAlpha(other.pixel(3, 3)), 0);
    EXPECT_EQ(other.pixel(1, 1), qRgba(255, 0, 0, 128));

    // A picture with an alpha channel but no transparency is written as an opaque one.
    QImage opaque = picture.copy(0, 0, 6, 1);
    ASSERT_TRUE(SaveBmp32File(opaque, Path("opaque.bmp")));
    ASSERT_TRUE(SaveBmp32File(opaque.convertToFormat(QImage::Format_RGB32), Path("rgb.bmp")));
    EXPECT_EQ(Read(Path("opaque.bmp")), Read(Path("rgb.bmp")));
    EXPECT_EQ(LoadPicture(Path("opaque.bmp")).image.format(), QImage::Format_RGB32);

    // Qt writes no GIF: 1 x 1 GIFs of one red pixel written out by hand, the
    // second with a control block that makes colour 0 transparent.
    const QByteArray head = QByteArray::fromHex("47494638396101000100800000ff0000000000");
    const QByteArray transparent = QByteArray::fromHex("21f90401000000"
                                                       "00");
    const QByteArray frame = QByteArray::fromHex("2c00000000010001000002024401003b");
    EXPECT_EQ(LoadPicture(Write("red.GIF", head + frame)).image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(LoadPicture(Write("clear.gif", head + transparent + frame)).image.pixel(0, 0), 0x00808080u);
}

TEST_F(PictureFileTest, SixteenBitPngsWithATransparentColourKeepTheirColours) {
    for (const bool colour : {false, true}) {
        SCOPED_TRACE(colour ? "colour" : "grey");
        const TPictureResult read = ReadPicture(Png16WithKey(colour), TPictureFormat::Png);
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.image.pixel(0, 0), 0x00808080u);
        EXPECT_EQ(read.image.pixel(1, 0), colour ? qRgb(0xC0, 0x40, 0x80) : qRgb(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(read.image.pixel(2, 0), colour ? qRgb(0x12, 0x23, 0x34) : qRgb(0x12, 0x12, 0x12)); // near the key
    }
}

TEST_F(PictureFileTest, JpegsAreTurnedUprightAsTheirExifSays) {
    // Stored 32 x 16, red in the top left 8 x 8 corner: where each
    // orientation shows the stored point (3, 3), on a picture of which size.
    QImage stored(32, 16, QImage::Format_RGB32);
    stored.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    const QByteArray jpeg = EncodeJpeg(stored);
    struct TCase {
        int orientation;
        QPoint red;
        bool bigEndian;
    };
    for (const TCase c : {TCase{1, {3, 3}, false}, TCase{2, {28, 3}, false}, TCase{3, {28, 12}, false},
                          TCase{4, {3, 12}, false}, TCase{5, {3, 3}, false}, TCase{6, {12, 3}, false},
                          TCase{7, {12, 28}, false}, TCase{8, {3, 28}, false}, TCase{6, {12, 3}, true}}) {
        SCOPED_TRACE(c.orientation);
        const QImage image =
            ReadPicture(WithExifOrientation(jpeg, c.orientation, c.bigEndian), TPictureFormat::Jpeg).image;
        EXPECT_EQ(image.size(), c.orientation >= 5 ? QSize(16, 32) : QSize(32, 16));
        EXPECT_TRUE(Near(image.pixel(c.red), qRgb(255, 0, 0))) << std::hex << image.pixel(c.red);
        const QPoint across(image.width() - 1 - c.red.x(), image.height() - 1 - c.red.y());
        EXPECT_TRUE(Near(image.pixel(across), qRgb(255, 255, 255)));
    }
}

TEST_F(PictureFileTest, TiffAndWebpThroughTheImagePlugins) {
    QImage picture(8, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 255, 255));
    picture.setPixel(7, 3, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(picture.save(Path("a.tif"), "TIFF"));
    ASSERT_TRUE(picture.save(Path("a.webp"), "WEBP", 100)); // lossless
    QFile::copy(Path("a.tif"), Path("b.TIFF"));
    for (const char* name : {"a.tif", "b.TIFF", "a.webp"}) {
        SCOPED_TRACE(name);
        const TPictureResult read = LoadPicture(Path(name));
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.image.pixel(0, 0), 0xFF0000FFu);
        EXPECT_EQ(read.image.pixel(7, 3), 0x00808080u);
    }
}

TEST_F(PictureFileTest, ReadingSaysNothingOfItsOwn) {
    static QStringList heard;
    heard.clear();
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { heard.append(text); });
    const QByteArray gif = QByteArray::fromHex("47494638396101000100800000ff00000000002c000000000100010000");
    for (const auto& [bytes, format] : {std::pair{gif, TPictureFormat::Gif},
                                        std::pair{QByteArray("II*\0\x08\0\0\0\xff\xff", 10), TPictureFormat::Tiff},
                                        std::pair{QByteArray("RIFF\x10\0\0\0WEBPVP8 ", 16), TPictureFormat::Webp},
                                        std::pair{Png16WithKey(true).left(60), TPictureFormat::Png}})
        EXPECT_FALSE(ReadPicture(bytes, format).Ok());
    qWarning("after");
    qInstallMessageHandler(before);
    EXPECT_EQ(heard, QStringList{"after"});
}

TEST_F(PictureFileTest, ReadersSayWhyTheyFail) {
    const QByteArray jpeg = EncodeJpeg(TwoColourPicture(64, 64));
    ASSERT_TRUE(SaveBmp32File(TwoColourPicture(64, 64), Path("full.bmp")));
    const QByteArray bmp = Read(Path("full.bmp"));
    ASSERT_TRUE(TwoColourPicture(8, 8).save(Path("a.png"), "PNG"));
    QByteArray bmpBomb = bmp;
    bmpBomb[19] = static_cast<char>(0xEA); // 60000 x 60000
    bmpBomb[18] = 0x60;
    bmpBomb[22] = 0x60;
    bmpBomb[23] = static_cast<char>(0xEA);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
    QByteArray twelveBits = jpeg;
    twelveBits[jpeg.indexOf(QByteArray("\xFF\xC0", 2)) + 4] = 12; // the sample precision
    struct TCase {
        QString path;
        TPictureFault fault;
    };
    for (const TCase& c : {
             TCase{Write("t.txt", jpeg), TPictureFault::UnknownFormat},
             TCase{Write("text.bmp", "not a bitmap"), TPictureFault::UnknownFormat},
             TCase{Write("bmp.jpg", bmp), TPictureFault::NamedWrongly},
             TCase{Write("jpeg.bmp", jpeg), TPictureFault::NamedWrongly},
             TCase{Write("bmp.png", bmp), TPictureFault::NamedWrongly},
             TCase{Write("twelve.jpg", twelveBits), TPictureFault::Unsupported},
             TCase{Path("missing.jpg"), TPictureFault::CannotOpen},
             TCase{Path("folder.jpg"), TPictureFault::CannotOpen},
             TCase{Write("cut.jpg", jpeg.left(jpeg.size() / 2)), TPictureFault::Damaged},
             TCase{Write("cut.bmp", bmp.left(bmp.size() - 1)), TPictureFault::Damaged},
             TCase{Write("cut.png", Read(Path("a.png")).chopped(20)), TPictureFault::Damaged},
             TCase{Write("empty.jpg", QByteArray()), TPictureFault::Damaged},
             TCase{Write("bomb.bmp", bmpBomb), TPictureFault::TooLarge},
         }) {
        EXPECT_EQ(LoadPicture(c.path).fault, c.fault) << c.path.toStdString();
        EXPECT_TRUE(LoadPicture(c.path).image.isNull());
    }
    const TPictureResult png = LoadPicture(Write("png.bmp", Read(Path("a.png"))));
    EXPECT_EQ(png.named, TPictureFormat::Bmp);
    EXPECT_EQ(png.content, TPictureFormat::Png);
    const TPictureResult twelve = LoadPicture(Path("twelve.jpg"));
    EXPECT_EQ(twelve.variant, TPictureVariant::SampleBits);
    EXPECT_EQ(twelve.bits, 12);
    // The in-memory reader takes a lower limit: the same JPEG is too large for it.
    EXPECT_TRUE(ReadPicture(jpeg, TPictureFormat::Jpeg).Ok());
    EXPECT_EQ(ReadPicture(jpeg, TPictureFormat::Jpeg, 64 * 63 * 4).fault, TPictureFault::TooLarge);
    EXPECT_EQ(ReadPicture(bmp, TPictureFormat::Bmp, 64 * 63 * 4).fault, TPictureFault::TooLarge);
}
