// The Logo page driven by real mouse events: picking the background colour
// by two clicks, and "Usuń" asking before it throws glyph edits away.
#include "FakeSeams.h"
#include "IniFile.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LogoMouseTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm() {
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
        return form;
    }
    // A 360 x 288 picture over the whole view: left half blue, right half red.
    void ImportHalves(TFormKR7& form) {
        QImage picture(360, 288, QImage::Format_RGB32);
        picture.fill(0xFF0000FF);
        for (int y = 0; y < 288; ++y)
            for (int x = 180; x < 360; ++x)
                picture.setPixel(x, y, 0xFFFF0000);
        const QString path = dir.filePath(QStringLiteral("halves.bmp"));
        ASSERT_TRUE(SaveBmp32File(picture, path));
        const TWindowControls ui(form);
        dialogs.openAnswers.push_back(path);
        UserInput::Click(ui.ButtonLogoLoad);
        UserInput::SetValue(ui.ScrollBarLogoWidth, 360);
        UserInput::SetValue(ui.ScrollBarLogoPosX, 0);
        UserInput::SetValue(ui.ScrollBarLogoPosY, 0);
    }
    // The stored colour, red in the low byte.
    int SavedColour() {
        TIniFile ini(dir.filePath(QStringLiteral("KR7Controller.ini")));
        return ini.ReadInteger("Logo", "TransparentColor", -1);
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

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

TEST_F(LogoMouseTest, RemoveAsksAboutUnsavedGlyphEditsAndCancelSendsNothing) {
    TPtyPort pty(3);
    auto form = MakeForm();
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
    UserInput::Type(ui.ComboBoxPort, QStringLiteral("COM3"));
    UserInput::SetChecked(ui.CheckBoxConnect, true);
    ASSERT_FALSE(ui.ButtonLogoProgramClear->isHidden());
    pty.Take();

    // no unsaved edits: no question
    QTest::mouseClick(ui.ButtonLogoProgramClear, Qt::LeftButton);
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_NE(pty.Take(), "");

    form->Chars().SetPixel(40, 130, 0x000000);
    const QImage edited = form->Chars().Image();
    ui.Memo->clear();
    dialogs.okCancelAnswers.push_back(false);
    QTest::mouseClick(ui.ButtonLogoProgramClear, Qt::LeftButton);
    EXPECT_EQ(dialogs.questions, QStringList{QStringLiteral("Confirm: Actual characters not saved, continue?")});
    EXPECT_EQ(pty.Take(), "");
    EXPECT_EQ(form->Chars().Image(), edited);
    EXPECT_TRUE(form->Chars().Modified());
    EXPECT_EQ(ui.Memo->toPlainText(), QString());

    dialogs.okCancelAnswers.push_back(true);
    QTest::mouseClick(ui.ButtonLogoProgramClear, Qt::LeftButton);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_NE(pty.Take(), "");
}

} // namespace
