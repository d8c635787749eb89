// The Logo page offscreen: import, placement, generation, programming through
// a pseudo-terminal, and the Logo section of the settings file.
#include "logo/LogoPage.h"

#include "FakeSeams.h"
#include "Glyphs.h"
#include "IniFile.h"
#include "KR7.h"
#include "LogoTable.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoSteps.h"
#include "shell/Kr7unit1.h"

#include <QFile>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr QRgb LIME = 0xFF00FF00;

// The lines logged since the log was last emptied (an emptied log keeps one
// empty line of its own).
QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n').mid(1);
}

void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// One logo cell: white top half, background bottom half, a black pixel at the
// bottom left.
void PatternCell(QImage& picture, int col, int row, int variant = 0) {
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            picture.setPixel(col * 12 + x, row * 18 + y, 0xFFFFFFFF);
    picture.setPixel(col * 12, row * 18 + 17, 0xFF000000);
    for (int bit = 0; bit < 8; ++bit) // variants differ in row 10
        if ((variant >> bit) & 1)
            picture.setPixel(col * 12 + bit, row * 18 + 10, 0xFF000000);
}

// The 54-byte record of PatternCell variant 0, as hex.
std::string PatternRecordHex() {
    std::string hex;
    for (int i = 0; i < 9; ++i)
        hex += " AA AA AA";
    for (int i = 0; i < 8; ++i)
        hex += " FF FF FF";
    hex += " 3F FF FF";
    return hex.substr(1);
}

class LogoPageTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm() {
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        ui.Memo->clear();
        return form;
    }
    QString Save(const QImage& picture, const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(name.endsWith(".bmp") ? SaveBmp32File(picture, path) : picture.save(path));
        return path;
    }
    void Import(TFormKR7& form, const QString& path) { ImportLogo(TWindowControls(form), dialogs, path); }
    void Preset(TFormKR7& form, std::optional<int> width, std::optional<bool> transparent) {
        PresetLogo(TWindowControls(form), dialogs, dir.filePath("preset.bmp"), width, transparent);
    }
    // A 360 x 288 picture placed at (0, 0) over the whole view, background lime.
    void ImportScreen(TFormKR7& form, const QImage& picture) {
        const TWindowControls ui(form);
        Import(form, Save(picture, "screen.bmp"));
        UserInput::SetValue(ui.ScrollBarLogoWidth, 360);
        UserInput::SetValue(ui.ScrollBarLogoPosX, 0);
        UserInput::SetValue(ui.ScrollBarLogoPosY, 0);
    }
    static void Connect(TFormKR7& form, TPtyPort& pty) {
        UserInput::Type(TWindowControls(form).ComboBoxPort, QString::fromStdString(pty.Name()));
        UserInput::SetChecked(TWindowControls(form).CheckBoxConnect, true);
        pty.Take();
    }
    static QPoint Placement(const TFormKR7& form) {
        return {TWindowControls(form).ScrollBarLogoPosX->value(), TWindowControls(form).ScrollBarLogoPosY->value()};
    }
    static QSize Size(const TFormKR7& form) {
        return {TWindowControls(form).ScrollBarLogoWidth->value(), TWindowControls(form).ScrollBarLogoHeight->value()};
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

} // namespace

// The page shows what the import did: a small picture on a first start takes
// its own size and is centred; a large one is fitted (the rules themselves
// are the logo document's, tested there).
TEST_F(LogoPageTest, ImportShowsTheFitAndCentringOnItsControls) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
    EXPECT_TRUE(ui.ButtonLogoProgram->isHidden());
    EXPECT_FALSE(ui.ButtonLogoProgramClear->isHidden());
    EXPECT_EQ(ui.LabelLogoWidth->text(), "1"); // a first start

    Import(*form, Save(Filled(100, 80, 0xFF102030), "small.bmp"));
    EXPECT_EQ(LogLines(*form), (QStringList{QString(), "Wczytywanie pliku graficznego...",
                                            "Wczytywanie pliku graficznego powiodło się."}));
    EXPECT_EQ(dialogs.openCalls.back().filter,
              "Wszystkie / All|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp|Bitmap (*.bmp)|*.bmp|"
              "JPEG (*.jpg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif;*.tiff|"
              "WebP (*.webp)|*.webp");
    EXPECT_EQ(Size(*form), QSize(100, 80));
    EXPECT_EQ(Placement(*form), QPoint(130, 104));
    EXPECT_EQ((QStringList{ui.LabelLogoWidth->text(), ui.LabelLogoHeight->text(), ui.LabelLogoPosX->text(),
                           ui.LabelLogoPosY->text()}),
              (QStringList{"100", "80", "130", "104"}));
    EXPECT_EQ(form->Logo().LogoView().pixel(130, 104), 0xFF000000);
    EXPECT_FALSE(ui.ButtonLogoLoad->isEnabled());
    EXPECT_FALSE(ui.ButtonLogoProgram->isHidden());
    EXPECT_FALSE(ui.ButtonLogoProgram->isEnabled());
    EXPECT_FALSE(ui.ScrollBarLogoHeight->isEnabled());
    UserInput::SetChecked(ui.CheckBoxLogoProportional, false);
    EXPECT_TRUE(ui.ScrollBarLogoHeight->isEnabled());
    UserInput::SetValue(ui.ScrollBarLogoHeight, 5);
    UserInput::Click(ui.SpeedButtonLogoRestoreHeight);
    EXPECT_EQ(ui.LabelLogoHeight->text(), "80");

    UserInput::Click(ui.ButtonLogoClear);
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
    Import(*form, Save(Filled(720, 576, 0xFF102030), "large.bmp"));
    EXPECT_EQ(dialogs.openCalls.back().fileName, dir.filePath("small.bmp"));
    EXPECT_EQ(Size(*form), QSize(360, 288));
    EXPECT_EQ(Placement(*form), QPoint(0, 0));
    EXPECT_TRUE(ui.CheckBoxLogoProportional->isChecked());
}

TEST_F(LogoPageTest, CentringAndAlignmentButtonsMoveThePicture) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture = Filled(200, 50, 0xFF000000);
    for (int y = 0; y < 50; ++y)
        for (int x = 170; x < 200; ++x)
            picture.setPixel(x, y, LIME);
    Import(*form, Save(picture, "p.bmp"));
    ASSERT_TRUE(ui.CheckBoxLogoTransparentColor->isChecked());
    EXPECT_EQ(Placement(*form), QPoint(95, 119)); // the visible content centred
    UserInput::Click(ui.SpeedButtonLogoLeft);
    UserInput::Click(ui.SpeedButtonLogoBottom);
    EXPECT_EQ(Placement(*form), QPoint(0, 238));
    UserInput::Click(ui.SpeedButtonLogoRight);
    UserInput::Click(ui.SpeedButtonLogoTop);
    EXPECT_EQ(Placement(*form), QPoint(190, 0));
    UserInput::Click(ui.SpeedButtonLogoCenterPosX);
    UserInput::Click(form->findChild<QWidget*>("SpeedButtonLogoCenterPosY"));
    EXPECT_EQ(Placement(*form), QPoint(95, 119));
    EXPECT_EQ(ui.LabelLogoPosX->text(), "95");
}

// Dragging and the colour dialog (picking by the mouse: LogoMouseTest).
TEST_F(LogoPageTest, DraggingAndTheColourDialog) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    Preset(*form, 100, false);
    Import(*form, Save(Filled(100, 100, 0xFF336699), "p.bmp"));
    UserInput::SetValue(ui.ScrollBarLogoPosX, 80);
    UserInput::SetValue(ui.ScrollBarLogoPosY, 40);
    QWidget* view = ui.ImageLogo;
    Mouse(view, QEvent::MouseButtonPress, {100, 50}, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, {130, 20}, Qt::NoButton);
    Mouse(view, QEvent::MouseButtonRelease, {130, 20}, Qt::LeftButton);
    EXPECT_EQ(Placement(*form), QPoint(110, 10));
    Mouse(view, QEvent::MouseMove, {300, 200}, Qt::NoButton);
    EXPECT_EQ(Placement(*form), QPoint(110, 10));
    // the right button on the swatch opens the colour dialog at its colour
    UserInput::SetChecked(ui.CheckBoxLogoTransparentColor, true);
    dialogs.colourAnswers.push_back(QColor(1, 2, 3));
    Mouse(ui.ShapeLogoTransparentColor, QEvent::MouseButtonPress, {3, 3}, Qt::RightButton);
    ASSERT_EQ(dialogs.colourCalls.size(), 1u);
    EXPECT_EQ(dialogs.colourCalls[0], QColor(0, 255, 0));
    EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#010203"));
    EXPECT_EQ(form->Logo().LogoView().pixel(150, 50), 0xFF000000);
}

TEST_F(LogoPageTest, GenerateProgramShowAndRemove) {
    TPtyPort pty(3);
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture = Filled(360, 288, LIME);
    PatternCell(picture, 5, 3);
    PatternCell(picture, 9, 3);
    ImportScreen(*form, picture);
    UserInput::SetChecked(ui.CheckBoxLogoShowGrid, true);
    TWindowControls(*form).Memo->clear();

    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_EQ(LogLines(*form),
              (QStringList{QString(), "Generowanie tablicy znaków...", "Logo wygenerowane pomyślnie.",
                           "Bieżące logo wykorzystuje 1 znaków z dostępnych 141 (1%).",
                           "Zweryfikuj wygląd logo na podglądzie. Aby zaprogramować logo, naciśnij przycisk "
                           "[Programuj]."}));
    const TLogoTable& table = form->Logo().LogoTable();
    ASSERT_EQ(table.LogoRows.size(), 1u);
    EXPECT_EQ(ToHex(table.LogoRows[0]), "73 00 00 00 73");
    EXPECT_EQ(table.LogoOrigin.column, 5);
    EXPECT_EQ(table.LogoOrigin.row, 3);
    QImage tile = picture.copy(60, 54, 12, 18);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x)
            if (tile.pixel(x, y) == LIME)
                tile.setPixel(x, y, 0xFF808080);
    EXPECT_EQ(*table.LogoTiles[0], tile);
    EXPECT_EQ(table.LogoTiles[0]->pixel(0, 9), 0xFF808080); // no grid line at the cell's left edge
    EXPECT_EQ(table.LogoTiles[0]->pixel(5, 0), 0xFFFFFFFF);
    EXPECT_EQ(form->Logo().LogoView().pixel(0, 0), 0xFF000080); // the grid is back on the view
    EXPECT_EQ(form->Chars().Image().copy(36, 126, 12, 18), *table.LogoTiles[0]);
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(form->Preview().copy(60, 54, 12, 18), *table.LogoTiles[0]);
    EXPECT_TRUE(ui.ButtonLogoProgram->isEnabled());
    EXPECT_TRUE(ui.ButtonLogoShow->isEnabled());
    EXPECT_TRUE(ui.ProgressBarLogoProgress->isHidden());

    // with the port closed nothing reaches the wire
    UserInput::Click(ui.ButtonLogoProgram);
    EXPECT_EQ(pty.Take(), "");
    EXPECT_EQ(LogLines(*form).mid(5), (QStringList{QString(), "Trwa programowanie...", "Zakończono"}));

    Connect(*form, pty);
    UserInput::Click(ui.ButtonLogoProgram);
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03 "
                             "FF 00 01 01 00 00 00 00 00 02 "
                             "FF 00 07 01 00 00 00 00 00 08 "
                             "FF 00 06 05 03 05 00 00 00 13 73 00 00 00 73 "
                             "FF 00 05 73 00 00 00 00 00 78 " +
                                 PatternRecordHex() + " FF 00 02 00 00 00 00 00 00 02");

    UserInput::Click(ui.ButtonLogoShow);
    EXPECT_EQ(pty.TakeHex(), "FF 00 06 05 03 05 00 00 00 13 73 00 00 00 73");

    UserInput::Click(ui.ButtonLogoClear);
    EXPECT_FALSE(IsLogoGenerated(table));
    ASSERT_FALSE(ui.ButtonLogoProgramClear->isHidden());
    form->Chars().SetPixel(40, 130, 0x000000);
    dialogs.okCancelAnswers.push_back(true); // the unsaved edit may go
    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_EQ(dialogs.questions.size(), 1);
    TMemoryStream records;
    WriteCharsBitmap(form->DefaultChars(), records);
    std::string expected = "FF 00 03 00 00 00 00 00 00 03 FF 00 01 00 00 00 00 00 00 01 "
                           "FF 00 07 00 00 00 00 00 00 07";
    for (int code = 115; code <= 255; ++code) {
        const std::uint8_t frame[10] = {0xFF, 0, 5, static_cast<std::uint8_t>(code),    0, 0,
                                        0,    0, 0, static_cast<std::uint8_t>(5 + code)};
        expected += " " + ToHex(std::string(reinterpret_cast<const char*>(frame), 10)) + " " +
                    ToHex(records.Bytes().substr(static_cast<std::size_t>(code) * 54, 54));
    }
    expected += " FF 00 02 00 00 00 00 00 00 02";
    EXPECT_EQ(pty.TakeHex(), expected);
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());

    // a device that has vanished: no crash, and no claim that it worked
    pty.CloseMaster();
    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_EQ(LogLines(*form).last(), "Przerwano po 0 z 141 znaków.");
}

TEST_F(LogoPageTest, TooManyTilesAndNoTilesAtAll) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture = Filled(360, 288, LIME);
    for (int n = 0; n < 142; ++n)
        PatternCell(picture, n % 30, n / 30, n + 1);
    ImportScreen(*form, picture);
    TWindowControls(*form).Memo->clear();
    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_EQ(LogLines(*form),
              (QStringList{QString(), "Generowanie tablicy znaków...",
                           "Bieżące logo wymaga użycia większej ilości znaków niż 141. Proszę np. zmniejszyć rozmiar "
                           "logo."}));
    EXPECT_EQ(dialogs.messages, QStringList{"Błąd generowania obrazu logo."});
    EXPECT_FALSE(IsLogoGenerated(form->Logo().LogoTable()));
    EXPECT_FALSE(ui.ButtonLogoProgram->isEnabled());

    UserInput::Click(ui.ButtonLogoClear);
    ImportScreen(*form, Filled(360, 288, LIME));
    TWindowControls(*form).Memo->clear();
    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_TRUE(LogLines(*form).contains("Bieżące logo wykorzystuje 0 znaków z dostępnych 141 (0%)."));
    EXPECT_FALSE(IsLogoGenerated(form->Logo().LogoTable()));
    EXPECT_FALSE(ui.ButtonLogoShow->isEnabled());
}

TEST_F(LogoPageTest, ImportsEveryBitmapDepthAndJpeg) {
    auto form = MakeForm();
    QImage picture = Filled(30, 20, qRgb(250, 250, 250));
    for (int x = 0; x < 30; ++x)
        picture.setPixel(x, 0, qRgb(0, 0, 0));
    std::vector<QString> files;
    QImage mono = picture.convertToFormat(QImage::Format_Mono);
    QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    ASSERT_TRUE(mono.save(dir.filePath("1.bmp")));
    ASSERT_TRUE(indexed.save(dir.filePath("4.bmp"))); // two colours: the writer uses 4 bits
    indexed.setColorCount(40);
    ASSERT_TRUE(indexed.save(dir.filePath("8.bmp")));
    ASSERT_TRUE(picture.save(dir.filePath("24.bmp")));
    ASSERT_TRUE(SaveBmp32File(picture, dir.filePath("32.bmp")));
    for (const char* name : {"1.bmp", "4.bmp", "8.bmp", "24.bmp", "32.bmp"})
        files.push_back(dir.filePath(name));
    if (QImageWriter::supportedImageFormats().contains("jpeg")) {
        ASSERT_TRUE(picture.save(dir.filePath("p.JPG"), "JPEG", 95));
        files.push_back(dir.filePath("p.JPG"));
    }
    for (const QString& file : files) {
        Import(*form, file);
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value()) << file.toStdString();
        EXPECT_EQ(form->Logo().LogoBitmap()->size(), QSize(30, 20));
        EXPECT_EQ(form->Logo().LogoBitmap()->format(), QImage::Format_RGB32);
        EXPECT_LT(qRed(form->Logo().LogoBitmap()->pixel(3, 0)), 20) << file.toStdString();
        EXPECT_GT(qRed(form->Logo().LogoBitmap()->pixel(3, 10)), 230) << file.toStdString();
        UserInput::Click(TWindowControls(*form).ButtonLogoClear);
    }
}

TEST_F(LogoPageTest, SettingsRoundTripWithThePicture) {
    QImage picture = Filled(50, 40, 0xFF112233);
    picture.setPixel(3, 4, 0xFFFFFFFF);
    {
        auto form = MakeForm();
        const TWindowControls ui(*form);
        Import(*form, Save(picture, "in.bmp"));
        UserInput::SetValue(ui.ScrollBarLogoWidth, 120);
        UserInput::SetValue(ui.ScrollBarLogoPosX, -30);
        UserInput::SetValue(ui.ScrollBarLogoPosY, 17);
        UserInput::SetChecked(ui.CheckBoxLogoShowGrid, true);
        UserInput::SetChecked(ui.CheckBoxLogoNegative, true);
        // the level bar is on in the black-and-white mode only
        UserInput::SetValue(ui.ScrollBarLogoLevelBW, 33);
        UserInput::SetChecked(ui.RadioButtonLogoColor1, true);
        UserInput::SetValue(ui.ScrollBarLogoTransparentColorTolerance, 44);
        dialogs.colourAnswers.push_back(QColor(0x10, 0x20, 0x30));
        Mouse(ui.ShapeLogoTransparentColor, QEvent::MouseButtonPress, {1, 1}, Qt::RightButton);
    }
    QFile bmp(dir.filePath("LogoBitmap.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(static_cast<uchar>(bmp.readAll()[28]), 32);
    QFile ini(dir.filePath("KR7Controller.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    const qsizetype logo = text.indexOf("[Logo]");
    ASSERT_GE(logo, 0);
    QByteArrayList keys;
    for (const QByteArray& line : text.mid(logo).split('\n').mid(1))
        if (line.contains('='))
            keys.push_back(line.left(line.indexOf('=')));
    EXPECT_EQ(keys, (QByteArrayList{"Loaded", "PosX", "PosY", "Width", "Height", "Proportional", "ShowGrid", "Negative",
                                    "Color0", "Color1", "Color2", "Transparent", "TransparentColor", "LevelBW",
                                    "TransparentColorTolerance"}));
    TIniFile settings(dir.filePath("KR7Controller.ini"));
    EXPECT_EQ(settings.ReadInteger("Logo", "TransparentColor", 0), 0x302010);

    auto form = MakeForm();
    const TWindowControls ui(*form);
    ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    EXPECT_EQ(*form->Logo().LogoBitmap(), picture);
    EXPECT_EQ(Placement(*form), QPoint(-30, 17));
    EXPECT_EQ(Size(*form), QSize(120, 96));
    EXPECT_TRUE(ui.CheckBoxLogoShowGrid->isChecked());
    EXPECT_TRUE(ui.CheckBoxLogoNegative->isChecked());
    EXPECT_TRUE(ui.RadioButtonLogoColor1->isChecked());
    EXPECT_EQ(ui.ScrollBarLogoLevelBW->value(), 33);
    EXPECT_EQ(ui.LabelLogoTransparentColorToleranceValue->text(), "44%");
    EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#102030"));
    EXPECT_FALSE(ui.ButtonLogoLoad->isEnabled());
    EXPECT_FALSE(IsLogoGenerated(form->Logo().LogoTable()));
}

TEST_F(LogoPageTest, MissingOrBrokenPictureFileLeavesNoPictureAndNoMessage) {
    for (bool broken : {false, true}) {
        QFile ini(dir.filePath("KR7Controller.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\r\nPort=COM9\r\n[Logo]\r\nLoaded=1\r\nPosX=5\r\n");
        ini.close();
        if (broken) {
            QFile bmp(dir.filePath("LogoBitmap.bmp"));
            ASSERT_TRUE(bmp.open(QIODevice::WriteOnly));
            bmp.write("BM this is not a bitmap");
        }
        auto form = MakeForm();
        EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), "COM9");
        EXPECT_EQ(TWindowControls(*form).ScrollBarLogoPosX->value(), 0);
        EXPECT_TRUE(TWindowControls(*form).ButtonLogoLoad->isEnabled());
        EXPECT_FALSE(TWindowControls(*form).Memo->toPlainText().contains("Błąd"));
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(LogoPageTest, RestoredSettingsMayLeaveNoModeSelected) {
    {
        auto form = MakeForm();
        Import(*form, Save(Filled(20, 20, qRgb(127, 127, 127)), "g.bmp"));
    }
    TIniFile ini(dir.filePath("KR7Controller.ini"));
    ASSERT_TRUE(ini.WriteBool("Logo", "Color0", false));
    ASSERT_TRUE(ini.WriteBool("Logo", "Transparent", false));
    ASSERT_TRUE(ini.WriteInteger("Logo", "Width", 20));
    ASSERT_TRUE(ini.Save());
    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_FALSE(ui.RadioButtonLogoColor0->isChecked());
    EXPECT_FALSE(ui.RadioButtonLogoColor1->isChecked());
    EXPECT_FALSE(ui.RadioButtonLogoColor2->isChecked());
    EXPECT_FALSE(ui.ScrollBarLogoLevelBW->isEnabled());
    const QPoint at = Placement(*form);
    EXPECT_EQ(form->Logo().LogoView().pixel(at.x() + 1, at.y()), 0xFF000000); // 381 < 382: black
}
