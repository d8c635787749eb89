// Pictures imported on the Logo page as a user does it: the formats, the line
// that says why a picture was refused, and the view that follows a new
// picture; pictures dropped on the view; 16-bit bitmaps on the Service page
// too.
#include "CmykJpeg.h"
#include "FakeSeams.h"
#include "FileDrop.h"
#include "PictureFile.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "logo/LogoSteps.h"
#include "shell/Kr7unit1.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n').mid(1);
}

// A white 16-bit 5-6-5 bitmap with bit fields.
QByteArray White565Bmp(int w, int h) {
    const int stride = (w * 2 + 3) / 4 * 4;
    const int offset = 14 + 40 + 12;
    QByteArray b(offset + stride * h, '\0');
    auto put32 = [&b](int pos, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 16;
    put32(30, 3);
    put32(54, 0xF800);
    put32(58, 0x07E0);
    put32(62, 0x001F);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 2 * w; ++x)
            b[offset + y * stride + x] = static_cast<char>(0xFF);
    return b;
}

// A bitmap header of 2 bits a pixel, a depth no reader takes.
QByteArray TwoBitBmp() {
    QByteArray b = White565Bmp(4, 4);
    b[28] = 2;
    b[30] = 0;
    return b;
}

class LogoImportTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm(bool service = false) {
        auto form = MakeTestForm(dir.path(), service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        ui.Memo->clear();
        return form;
    }
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    }
    void Import(TFormKR7& form, const QString& path) {
        TWindowControls(form).Memo->clear();
        ImportLogo(TWindowControls(form), dialogs, path);
    }
    void Preset(TFormKR7& form, std::optional<int> width, std::optional<bool> transparent) {
        PresetLogo(TWindowControls(form), dialogs, dir.filePath("preset.bmp"), width, transparent);
    }
    static QStringList Loaded() {
        return {QString(), "Wczytywanie pliku graficznego...", "Wczytywanie pliku graficznego powiodło się."};
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

} // namespace

TEST_F(LogoImportTest, RefusedPicturesSayWhyAndChangeNothing) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(0xFF000000);
    ASSERT_TRUE(picture.save(dir.filePath("x.png"), "PNG"));
    ASSERT_TRUE(picture.save(dir.filePath("x.jpg"), "JPEG"));
    ASSERT_TRUE(SaveBmp32File(picture, dir.filePath("x.bmp")));
    QFile png(dir.filePath("x.png"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    const QByteArray pngBytes = png.readAll();
    QFile jpg(dir.filePath("x.jpg"));
    ASSERT_TRUE(jpg.open(QIODevice::ReadOnly));
    const QByteArray jpegBytes = jpg.readAll();
    QFile bmpFile(dir.filePath("x.bmp"));
    ASSERT_TRUE(bmpFile.open(QIODevice::ReadOnly));
    QByteArray bomb = bmpFile.readAll();
    bomb[18] = 0x60; // 60000 x 60000
    bomb[19] = static_cast<char>(0xEA);
    bomb[22] = 0x60;
    bomb[23] = static_cast<char>(0xEA);

    Preset(*form, 7, std::nullopt);
    struct TCase {
        QString path;
        const char* line;
    };
    for (const TCase& c : {
             TCase{Write("picture.txt", pngBytes), "Nieznany format pliku."},
             TCase{Write("png.jpg", pngBytes), "Obraz PNG w pliku .jpg."},
             TCase{Write("two.bmp", TwoBitBmp()), "Obrazy BMP o 2 bitach na piksel nie są obsługiwane."},
             TCase{Write("t.bmp", "not a bitmap"), "Nieznany format pliku."},
             TCase{dir.filePath("missing.jpeg"), "Nie można otworzyć pliku."},
             TCase{Write("cut.jpg", jpegBytes.left(jpegBytes.size() / 2)), "Plik jest uszkodzony lub niepełny."},
             TCase{Write("cut.png", pngBytes.left(pngBytes.size() - 20)), "Plik jest uszkodzony lub niepełny."},
             TCase{Write("bomb.bmp", bomb), "Obraz jest za duży."},
         }) {
        SCOPED_TRACE(c.path.toStdString());
        Import(*form, c.path);
        EXPECT_EQ(LogLines(*form), (QStringList{QString(), "Wczytywanie pliku graficznego...", c.line}));
        EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(ui.ScrollBarLogoWidth->value(), 7);
        EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
    }
}

TEST_F(LogoImportTest, CmykJpegAndTransparentPngImport) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    Preset(*form, std::nullopt, false);

    Import(*form, Write("print.jpg", EncodeCmykJpeg(40, 20, {0, 255, 255, 0}))); // red ink on paper
    EXPECT_EQ(LogLines(*form), Loaded());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    const QRgb red = form->Logo().LogoBitmap()->pixel(20, 10);
    EXPECT_GT(qRed(red), 240);
    EXPECT_LT(qGreen(red), 15);
    EXPECT_LT(qBlue(red), 15);
    UserInput::Click(ui.ButtonLogoClear);

    QImage png(20, 10, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int x = 0; x < 20; ++x)
        png.setPixel(x, 0, 0xFFFFFFFF);
    ASSERT_TRUE(png.save(dir.filePath("logo.PNG"), "PNG"));
    Import(*form, dir.filePath("logo.PNG"));
    EXPECT_EQ(LogLines(*form), Loaded());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->pixel(5, 0), 0xFFFFFFFFu);
    EXPECT_EQ(form->Logo().LogoBitmap()->pixel(5, 5), 0x00808080u); // transparent, kept so
    ASSERT_FALSE(dialogs.openCalls.empty());
    EXPECT_TRUE(dialogs.openCalls.back().filter.contains("*.png"));
}

TEST_F(LogoImportTest, ATransparentWorkingPictureSurvivesRestarts) {
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(0x00808080);
    for (int x = 0; x < 20; ++x)
        picture.setPixel(x, 0, 0xFFFFFFFF);
    const QString saved = dir.filePath("LogoBitmap.bmp");
    ASSERT_TRUE(SaveBmp32File(picture, saved));
    QFile ini(dir.filePath("KR7Controller.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Logo]\r\nLoaded=1\r\nWidth=20\r\n");
    ini.close();
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        auto form = MakeForm();
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(*form->Logo().LogoBitmap(), picture);
    } // each close saves the picture again
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(15).at(14), 124); // the header with the alpha mask
}

TEST_F(LogoImportTest, SixteenBitWhiteIsWhiteOnTheLogoAndServicePages) {
    auto form = MakeForm(true);
    Import(*form, Write("white.bmp", White565Bmp(30, 20)));
    EXPECT_EQ(LogLines(*form), Loaded());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(form->Logo().LogoBitmap()->pixel(29, 19) & 0xFFFFFF, 0xFFFFFFu);

    dialogs.openAnswers.push_back(Write("set.bmp", White565Bmp(192, 288)));
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    UserInput::Click(ui.ButtonLoadFromBitmap);
    EXPECT_EQ(form->Chars().Image().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(form->Chars().Image().pixel(191, 287) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(LogoImportTest, TheViewFollowsANewPictureOfTheSameSize) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage black(360, 288, QImage::Format_RGB32);
    black.fill(0xFF000000);
    QImage white(360, 288, QImage::Format_RGB32);
    white.fill(0xFFFFFFFF);
    ASSERT_TRUE(SaveBmp32File(black, dir.filePath("black.bmp")));
    ASSERT_TRUE(SaveBmp32File(white, dir.filePath("white.bmp")));

    Preset(*form, 360, false); // a picture that fits keeps the width
    Import(*form, dir.filePath("black.bmp"));
    EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFF000000u);
    UserInput::SetValue(ui.ScrollBarLogoPosX, 10); // a move shows the same picture, moved
    EXPECT_EQ(form->Logo().LogoView().pixel(5, 100), 0xFF808080u);
    EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFF000000u);
    UserInput::Click(ui.ButtonLogoClear);
    Import(*form, dir.filePath("white.bmp"));
    EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFFFFFFFFu);
    UserInput::SetValue(ui.ScrollBarLogoWidth, 180); // a new size
    EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFFFFFFFFu);
    EXPECT_EQ(form->Logo().LogoView().pixel(300, 100), 0xFF808080u);
}

TEST_F(LogoImportTest, ADroppedPictureImportsAsImportujDoes) {
    QImage picture(500, 100, QImage::Format_RGB32);
    picture.fill(0xFF000000);
    for (int x = 0; x < 250; ++x)
        picture.setPixel(x, 50, 0xFFFFFFFF);
    const QString path = dir.filePath("wide.png");
    ASSERT_TRUE(picture.save(path, "PNG"));
    auto byButton = MakeForm();
    Import(*byButton, path);
    ASSERT_EQ(LogLines(*byButton), Loaded());

    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_TRUE(DropFiles(ui.ImageLogo, {path}));
    EXPECT_EQ(LogLines(*form), Loaded());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(*form->Logo().LogoBitmap(), *byButton->Logo().LogoBitmap());
    for (const char* name : {"ScrollBarLogoPosX", "ScrollBarLogoPosY", "ScrollBarLogoWidth", "ScrollBarLogoHeight"})
        EXPECT_EQ(form->findChild<QScrollBar*>(name)->value(), byButton->findChild<QScrollBar*>(name)->value()) << name;
    EXPECT_EQ(form->Logo().LogoView(), byButton->Logo().LogoView());
    EXPECT_FALSE(ui.ButtonLogoLoad->isEnabled());

    // "Importuj" starts at the dropped file next time.
    UserInput::Click(ui.ButtonLogoClear);
    UserInput::Click(ui.ButtonLogoLoad);
    ASSERT_FALSE(dialogs.openCalls.empty());
    EXPECT_EQ(dialogs.openCalls.back().fileName, path);
}

TEST_F(LogoImportTest, ADroppedFileThatCannotBeImportedSaysWhy) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(0xFF000000);
    ASSERT_TRUE(picture.save(dir.filePath("whole.png"), "PNG"));
    QFile whole(dir.filePath("whole.png"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray png = whole.readAll();
    for (const auto& [path, line] : {
             std::pair{Write("notes.txt", "text"), "Nieznany format pliku."},
             std::pair{Write("cut.png", png.left(png.size() - 20)), "Plik jest uszkodzony lub niepełny."},
         }) {
        SCOPED_TRACE(path.toStdString());
        ui.Memo->clear();
        EXPECT_TRUE(DropFiles(ui.ImageLogo, {path}));
        EXPECT_EQ(LogLines(*form), (QStringList{QString(), "Wczytywanie pliku graficznego...", line}));
        EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
        EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
    }
}

TEST_F(LogoImportTest, DropsRefusedLikeADisabledImportujChangeNothing) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(0xFFFFFFFF);
    const QString first = dir.filePath("first.bmp");
    const QString second = dir.filePath("second.bmp");
    ASSERT_TRUE(SaveBmp32File(picture, first));
    ASSERT_TRUE(SaveBmp32File(picture.scaled(80, 10), second));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));

    // Without a picture: several files, a folder, a file that is not local.
    EXPECT_FALSE(DropFiles(ui.ImageLogo, {first, second}));
    EXPECT_FALSE(DropFiles(ui.ImageLogo, {dir.filePath("folder.bmp")}));
    EXPECT_FALSE(DropUrls(ui.ImageLogo, {QUrl("https://example.org/logo.bmp")}));
    EXPECT_TRUE(LogLines(*form).isEmpty());
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());

    // With a picture, which "Importuj" would not replace either.
    EXPECT_TRUE(DropFiles(ui.ImageLogo, {first}));
    ui.Memo->clear();
    EXPECT_FALSE(DropFiles(ui.ImageLogo, {second}));
    EXPECT_TRUE(LogLines(*form).isEmpty());
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(form->Logo().LogoBitmap()->size(), QSize(40, 20));
}
