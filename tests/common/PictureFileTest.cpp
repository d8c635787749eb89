#include "PictureFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
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
        Path("real.png"),
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
