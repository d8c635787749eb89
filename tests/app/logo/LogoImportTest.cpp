// Pictures imported on the Logo page as a user does it: the line that says
// why a picture was refused, the working picture kept over restarts, and
// pictures dropped on the view. The readers themselves are tested in
// tests/common (PictureFileTest, BmpVariantsTest).
#include "BmpBytes.h"
#include "FileDrop.h"
#include "logo/LogoSteps.h"

#include <QDir>
#include <QScrollBar>

namespace {

using LogoImportTest = LogoFixture;

} // namespace

// One picture of each reason the log gives, by "Importuj" and by a drop; which
// files the readers refuse, and why, is tested in tests/common.
TEST_F(LogoImportTest, RefusedPicturesSayWhyAndChangeNothing) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    const QImage picture = Filled(10, 10, 0xFF000000);
    const QByteArray pngBytes = Read(Save(picture, "x.png"));
    const QByteArray jpegBytes = Read(Save(picture, "x.jpg"));
    QByteArray bomb = Read(Save(picture, "x.bmp"));
    PutLe32(bomb, 18, 60000);
    PutLe32(bomb, 22, 60000);
    const QByteArray twoBits = BmpFile(40, 4, 4, 2, 0, QByteArray(16, '\0'), QByteArray(16, '\0'));

    Preset(*form, 7, std::nullopt);
    struct TCase {
        QString path;
        const char* line;
        bool dropped = false;
    };
    for (const TCase& c : {
             TCase{Write("picture.txt", pngBytes), "Nieznany format pliku."},
             TCase{Write("notes.txt", "text"), "Nieznany format pliku.", true},
             TCase{Write("png.jpg", pngBytes), "Obraz PNG w pliku .jpg."},
             TCase{Write("two.bmp", twoBits), "Obrazy BMP o 2 bitach na piksel nie są obsługiwane."},
             TCase{Path("missing.jpeg"), "Nie można otworzyć pliku."},
             TCase{Write("cut.jpg", jpegBytes.left(jpegBytes.size() / 2)), "Plik jest uszkodzony lub niepełny."},
             TCase{Write("bomb.bmp", bomb), "Obraz jest za duży."},
         }) {
        SCOPED_TRACE(c.path.toStdString());
        if (c.dropped) {
            ui.Memo->clear();
            EXPECT_TRUE(DropFiles(ui.ImageLogo, {c.path}));
        } else {
            Import(*form, c.path);
        }
        EXPECT_EQ(LogLines(*form), (QStringList{QString(), "Wczytywanie pliku graficznego...", c.line}));
        EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(ui.ScrollBarLogoWidth->value(), 7);
        EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
    }
}

TEST_F(LogoImportTest, ATransparentWorkingPictureSurvivesRestarts) {
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(0x00808080);
    for (int x = 0; x < 20; ++x)
        picture.setPixel(x, 0, 0xFFFFFFFF);
    const QString saved = Save(picture, "LogoBitmap.bmp");
    Write("KR7Controller.ini", "[Logo]\r\nLoaded=1\r\nWidth=20\r\n");
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        auto form = MakeForm();
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(*form->Logo().LogoBitmap(), picture);
    }                                                      // each close saves the picture again
    EXPECT_EQ(Read(saved).mid(14, 1), QByteArray(1, 124)); // the header with the alpha mask
}

TEST_F(LogoImportTest, ADroppedPictureImportsAsImportujDoes) {
    QImage picture = Filled(500, 100, 0xFF000000);
    for (int x = 0; x < 250; ++x)
        picture.setPixel(x, 50, 0xFFFFFFFF);
    const QString path = Save(picture, "wide.png");
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

TEST_F(LogoImportTest, DropsRefusedLikeADisabledImportujChangeNothing) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    const QString first = Save(Filled(40, 20, 0xFFFFFFFF), "first.bmp");
    const QString second = Save(Filled(80, 10, 0xFFFFFFFF), "second.bmp");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));

    // Without a picture: several files, a folder, a file that is not local.
    EXPECT_FALSE(DropFiles(ui.ImageLogo, {first, second}));
    EXPECT_FALSE(DropFiles(ui.ImageLogo, {Path("folder.bmp")}));
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
