#include "PictureFile.h"

#include "CmykJpeg.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// A JPEG of the picture's colours, made with libjpeg's own compressor.
QByteArray EncodeJpeg(const QImage& picture, int quality = 95) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

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
    const int offset = 14 + 40 + (masks ? 12 : 0);
    QByteArray b(offset + stride * h, '\0');
    auto put32 = [&b](int pos, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, static_cast<std::uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 16;
    put32(30, masks ? 3 : 0);
    if (masks)
        for (int i = 0; i < 3; ++i)
            put32(54 + 4 * i, (*masks)[static_cast<std::size_t>(i)]);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            b[offset + y * stride + 2 * x] = static_cast<char>(pixel & 0xFF);
            b[offset + y * stride + 2 * x + 1] = static_cast<char>(pixel >> 8);
        }
    return b;
}

QImage TwoColourPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(0, 0, 200));
    return image;
}

class PictureFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(name);
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

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
    EXPECT_EQ(static_cast<uchar>(bytes[28]), 32);
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

TEST_F(PictureFileTest, PngAndGifImportWithTransparencyAsGrey) {
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 0, 0));
    for (int x = 0; x < 6; ++x)
        picture.setPixel(x, 0, qRgba(255, 255, 255, 255));
    picture.setPixel(0, 1, qRgba(0, 0, 0, 255));
    ASSERT_TRUE(picture.save(Path("a.png"), "PNG"));
    QImage image;
    ASSERT_TRUE(LoadPictureFile(image, Path("a.png")));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image.pixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(0, 1), 0xFF000000u);
    EXPECT_EQ(image.pixel(3, 3), 0xFF808080u); // transparent
    if (!QImageReader::supportedImageFormats().contains("gif"))
        return;
    // Qt writes no GIF: 1 x 1 GIFs of one red pixel written out by hand, the
    // second with a control block that makes colour 0 transparent.
    const QByteArray head = QByteArray::fromHex("47494638396101000100800000ff0000000000");
    const QByteArray transparent = QByteArray::fromHex("21f90401000000"
                                                       "00");
    const QByteArray frame = QByteArray::fromHex("2c00000000010001000002024401003b");
    EXPECT_EQ(LoadPicture(Write("red.GIF", head + frame)).image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(LoadPicture(Write("clear.gif", head + transparent + frame)).image.pixel(0, 0), 0xFF808080u);
}

TEST_F(PictureFileTest, ReadersSayWhyTheyFail) {
    const QByteArray jpeg = EncodeJpeg(TwoColourPicture(64, 64));
    ASSERT_TRUE(SaveBmp32File(TwoColourPicture(64, 64), Path("full.bmp")));
    const QByteArray bmp = Read(Path("full.bmp"));
    QByteArray bmpBomb = bmp;
    bmpBomb[19] = static_cast<char>(0xEA); // 60000 x 60000
    bmpBomb[18] = 0x60;
    bmpBomb[22] = 0x60;
    bmpBomb[23] = static_cast<char>(0xEA);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
    struct TCase {
        QString path;
        TPictureFault fault;
    };
    for (const TCase& c : {
             TCase{Write("t.txt", jpeg), TPictureFault::UnknownFormat},
             TCase{Write("bmp.jpg", bmp), TPictureFault::UnknownFormat},
             TCase{Write("jpeg.bmp", jpeg), TPictureFault::UnknownFormat},
             TCase{Write("bmp.png", bmp), TPictureFault::UnknownFormat},
             TCase{Path("missing.jpg"), TPictureFault::CannotOpen},
             TCase{Path("folder.jpg"), TPictureFault::CannotOpen},
             TCase{Write("cut.jpg", jpeg.left(jpeg.size() / 2)), TPictureFault::Damaged},
             TCase{Write("cut.bmp", bmp.left(bmp.size() - 1)), TPictureFault::Damaged},
             TCase{Write("empty.jpg", QByteArray()), TPictureFault::Damaged},
             TCase{Write("bomb.bmp", bmpBomb), TPictureFault::TooLarge},
         }) {
        EXPECT_EQ(LoadPicture(c.path).fault, c.fault) << c.path.toStdString();
        EXPECT_TRUE(LoadPicture(c.path).image.isNull());
    }
    // The in-memory reader takes a lower limit: the same JPEG is too large for it.
    EXPECT_TRUE(ReadPicture(jpeg, TPictureFormat::Jpeg).Ok());
    EXPECT_EQ(ReadPicture(jpeg, TPictureFormat::Jpeg, 64 * 63 * 4).fault, TPictureFault::TooLarge);
    EXPECT_EQ(ReadPicture(bmp, TPictureFormat::Bmp, 64 * 63 * 4).fault, TPictureFault::TooLarge);
}
