// The Logo page driven by real mouse events: picking the background colour
// by two clicks or by a drag from the swatch, the colour dialog on the
// swatch's right button, and dragging the picture over the view. The moves
// and the colours are the logo document's rules (tests/models/logo).
#include "IniFile.h"
#include "logo/LogoSteps.h"

namespace {

class LogoMouseTest : public LogoFixture {
protected:
    // A 360 x 288 picture over the whole view: left half blue, right half red.
    void ImportHalves(TFormKR7& form) { ImportScreen(form, Halves(360, 288)); }
    // The stored colour, red in the low byte.
    int SavedColour() {
        TIniFile ini(dir.filePath(QStringLiteral("KR7Controller.ini")));
        return ini.ReadInteger("Logo", "TransparentColor", -1);
    }
};

} // namespace

TEST_F(LogoMouseTest, AClickOnTheSwatchThenAClickOnThePicturePicksTheColourThere) {
    {
        auto form = MakeForm();
        ImportHalves(*form);
        const TWindowControls ui(*form);
        ASSERT_TRUE(ui.CheckBoxLogoTransparentColor->isChecked());
        ASSERT_TRUE(ui.ShapeLogoTransparentColor->isVisible());
        QWidget* view = ui.ImageLogo;

        QTest::mouseClick(ui.ShapeLogoTransparentColor, Qt::LeftButton);
        // still picking: the view shows the picture in its own colours
        EXPECT_EQ(form->Logo().LogoView().pixel(300, 100), 0xFFFF0000);
        QTest::mouseMove(view, QPoint(100, 100));
        EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#0000ff"));
        // a press on the view does nothing, its release ends picking with the
        // colour under the pointer
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
        EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#ff0000"));
        EXPECT_EQ(form->Logo().LogoView().pixel(300, 100), 0xFF808080); // red is the background now
        EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFF000000);
        EXPECT_EQ(LogLines(*form), QStringList());

        // picking is over: moves change nothing more
        QTest::mouseMove(view, QPoint(50, 50));
        EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#ff0000"));
    }
    EXPECT_EQ(SavedColour(), 0x0000FF);
}

TEST_F(LogoMouseTest, PressOnTheSwatchDraggedOntoThePictureStillPicks) {
    auto form = MakeForm();
    ImportHalves(*form);
    const TWindowControls ui(*form);
    QTest::mousePress(ui.ShapeLogoTransparentColor, Qt::LeftButton);
    QTest::mouseMove(ui.ImageLogo, QPoint(20, 20));
    QTest::mouseRelease(ui.ImageLogo, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#0000ff"));
    EXPECT_EQ(form->Logo().LogoView().pixel(20, 20), 0xFF808080);
}

// The right button on the swatch opens the colour dialog at the swatch's
// colour, and the view is drawn again with the colour chosen.
TEST_F(LogoMouseTest, TheRightButtonOnTheSwatchOpensTheColourDialog) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    Import(*form, Save(Filled(100, 100, 0xFF336699), "p.bmp"));
    dialogs.colourAnswers.push_back(QColor(0x33, 0x66, 0x99));
    Mouse(ui.ShapeLogoTransparentColor, QEvent::MouseButtonPress, {3, 3}, Qt::RightButton);
    ASSERT_EQ(dialogs.colourCalls.size(), 1u);
    EXPECT_EQ(dialogs.colourCalls[0], QColor(0, 255, 0));
    EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#336699"));
    EXPECT_EQ(form->Logo().LogoView().pixel(150, 150), 0xFF808080);
}

// A press on the picture, a move and a release move it by the distance
// moved (the rule: LogoDocument.DraggingMovesByTheDistanceFromThePress).
TEST_F(LogoMouseTest, DraggingThePictureMovesIt) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    Preset(*form, 100, false);
    Import(*form, Save(Filled(100, 100, 0xFF336699), "p.bmp"));
    UserInput::SetValue(ui.ScrollBarLogoPosX, 80);
    UserInput::SetValue(ui.ScrollBarLogoPosY, 40);
    Mouse(ui.ImageLogo, QEvent::MouseButtonPress, {100, 50}, Qt::LeftButton);
    Mouse(ui.ImageLogo, QEvent::MouseMove, {130, 20}, Qt::NoButton);
    Mouse(ui.ImageLogo, QEvent::MouseButtonRelease, {130, 20}, Qt::LeftButton);
    EXPECT_EQ(Placement(*form), QPoint(110, 10));
    EXPECT_EQ(ui.LabelLogoPosY->text(), "10");
}
