// The Logo page offscreen: what an import shows on the controls, the
// placement buttons, generation, programming, showing and removal through a
// pseudo-terminal, and the Logo section of the settings file. The rules of
// placement and generation are the logo document's (tests/models/logo).
#include "Glyphs.h"
#include "IniFile.h"
#include "KR7.h"
#include "LogoTable.h"
#include "MemoryStream.h"
#include "logo/LogoSteps.h"

#include <QPlainTextEdit>

namespace {

constexpr QRgb LIME = 0xFF00FF00;

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

// The frames of a removal: the default glyphs 115 to 255, then the store.
std::string RemovalHex(const TFormKR7& form) {
    TMemoryStream records;
    WriteCharsBitmap(form.DefaultChars(), records);
    std::string expected = "FF 00 03 00 00 00 00 00 00 03 FF 00 01 00 00 00 00 00 00 01 "
                           "FF 00 07 00 00 00 00 00 00 07";
    for (int code = 115; code <= 255; ++code) {
        const std::uint8_t frame[10] = {0xFF, 0, 5, static_cast<std::uint8_t>(code),    0, 0,
                                        0,    0, 0, static_cast<std::uint8_t>(5 + code)};
        expected += " " + ToHex(std::string(reinterpret_cast<const char*>(frame), 10)) + " " +
                    ToHex(records.Bytes().substr(static_cast<std::size_t>(code) * 54, 54));
    }
    return expected + " FF 00 02 00 00 00 00 00 00 02";
}

using LogoPageTest = LogoFixture;

} // namespace

// The page shows what the import did: a small picture on a first start takes
// its own size and is centred; a large one is fitted with the proportion on.
TEST_F(LogoPageTest, ImportShowsTheFitAndCentringOnItsControls) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
    EXPECT_TRUE(ui.ButtonLogoProgram->isHidden());
    EXPECT_FALSE(ui.ButtonLogoProgramClear->isHidden());
    EXPECT_EQ(ui.LabelLogoWidth->text(), "1"); // a first start

    Import(*form, Save(Filled(100, 80, 0xFF102030), "small.bmp"));
    EXPECT_EQ(LogLines(*form), Loaded());
    EXPECT_EQ(dialogs.openCalls.back().filter,
              "Wszystkie / All|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp|Bitmap (*.bmp)|*.bmp|"
              "JPEG (*.jpg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif;*.tiff|"
              "WebP (*.webp)|*.webp");
    EXPECT_EQ((QStringList{ui.LabelLogoWidth->text(), ui.LabelLogoHeight->text(), ui.LabelLogoPosX->text(),
                           ui.LabelLogoPosY->text()}),
              (QStringList{"100", "80", "130", "104"}));
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
    EXPECT_TRUE(ui.CheckBoxLogoProportional->isChecked());
}

// Each of the six buttons reaches its move (the moves: the logo document's).
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

// The table's tiles reach the glyph set and the preview; the frames of
// programming and showing reach the device, and nothing does while the port
// is closed. (The table and the frames themselves: tests/models/logo.)
TEST_F(LogoPageTest, GenerateProgramAndShow) {
    TPtyPort pty(3);
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture = Filled(360, 288, LIME);
    PatternCell(picture, 5, 3);
    PatternCell(picture, 9, 3);
    ImportScreen(*form, picture);
    UserInput::SetChecked(ui.CheckBoxLogoShowGrid, true);
    ui.Memo->clear();

    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_EQ(LogLines(*form),
              (QStringList{QString(), "Generowanie tablicy znaków...", "Logo wygenerowane pomyślnie.",
                           "Bieżące logo wykorzystuje 1 znaków z dostępnych 141 (1%).",
                           "Zweryfikuj wygląd logo na podglądzie. Aby zaprogramować logo, naciśnij przycisk "
                           "[Programuj]."}));
    const TLogoTable& table = form->Logo().LogoTable();
    ASSERT_EQ(table.TileCount, 1);
    EXPECT_EQ(table.LogoTiles[0]->pixel(5, 0), 0xFFFFFFFF);
    EXPECT_EQ(form->Chars().Image().copy(36, 126, 12, 18), *table.LogoTiles[0]); // code 115
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(form->Preview().copy(60, 54, 12, 18), *table.LogoTiles[0]);
    EXPECT_TRUE(ui.ButtonLogoProgram->isEnabled());
    EXPECT_TRUE(ui.ButtonLogoShow->isEnabled());
    EXPECT_TRUE(ui.ProgressBarLogoProgress->isHidden());

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
}

// "Usuń" asks only when glyph edits are unsaved, sends nothing on Cancel, and
// otherwise sends the default glyphs from 115, not the edited ones; a device
// that has vanished is no crash and no claim that it worked.
TEST_F(LogoPageTest, RemoveAsksAboutUnsavedGlyphEditsAndSendsTheDefaultGlyphs) {
    TPtyPort pty(3);
    auto form = MakeForm();
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
    Connect(*form, pty);
    ASSERT_FALSE(ui.ButtonLogoProgramClear->isHidden());

    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(pty.TakeHex(), RemovalHex(*form));

    form->Chars().SetPixel(40, 130, 0x000000); // in glyph 115
    const QImage edited = form->Chars().Image();
    ui.Memo->clear();
    dialogs.okCancelAnswers.push_back(false);
    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_EQ(dialogs.questions, QStringList{"Confirm: Actual characters not saved, continue?"});
    EXPECT_EQ(pty.Take(), "");
    EXPECT_EQ(form->Chars().Image(), edited);
    EXPECT_TRUE(form->Chars().Modified());
    EXPECT_EQ(ui.Memo->toPlainText(), QString());

    dialogs.okCancelAnswers.push_back(true);
    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(pty.TakeHex(), RemovalHex(*form));
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());

    pty.CloseMaster();
    UserInput::Click(ui.ButtonLogoProgramClear);
    EXPECT_EQ(LogLines(*form).last(), "Przerwano po 0 z 141 znaków.");
}

// What the page says when the logo needs too many glyphs or none at all.
TEST_F(LogoPageTest, TooManyTilesAndNoTilesAtAll) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    QImage picture = Filled(360, 288, LIME);
    for (int n = 0; n < 142; ++n)
        PatternCell(picture, n % 30, n / 30, n + 1);
    ImportScreen(*form, picture);
    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_EQ(LogLines(*form),
              (QStringList{QString(), "Generowanie tablicy znaków...",
                           "Bieżące logo wymaga użycia większej ilości znaków niż 141. Proszę np. zmniejszyć rozmiar "
                           "logo."}));
    EXPECT_EQ(dialogs.messages, QStringList{"Błąd generowania obrazu logo."});
    EXPECT_FALSE(ui.ButtonLogoProgram->isEnabled());

    UserInput::Click(ui.ButtonLogoClear);
    ImportScreen(*form, Filled(360, 288, LIME));
    UserInput::Click(ui.ButtonLogoCalculate);
    EXPECT_TRUE(LogLines(*form).contains("Bieżące logo wykorzystuje 0 znaków z dostępnych 141 (0%)."));
    EXPECT_FALSE(ui.ButtonLogoShow->isEnabled());
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
    EXPECT_EQ(Read(Path("LogoBitmap.bmp")).mid(28, 1), QByteArray(1, 32)); // 32 bits a pixel
    const QByteArray text = Read(dir.filePath("KR7Controller.ini"));
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
        Write("KR7Controller.ini", "[Settings]\r\nPort=COM9\r\n[Logo]\r\nLoaded=1\r\nPosX=5\r\n");
        if (broken)
            Write("LogoBitmap.bmp", "BM this is not a bitmap");
        auto form = MakeForm();
        const TWindowControls ui(*form);
        EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
        EXPECT_EQ(ui.ComboBoxPort->currentText(), "COM9");
        EXPECT_EQ(ui.ScrollBarLogoPosX->value(), 0);
        EXPECT_TRUE(ui.ButtonLogoLoad->isEnabled());
        EXPECT_FALSE(ui.Memo->toPlainText().contains("Błąd"));
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
