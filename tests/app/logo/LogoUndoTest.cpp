// Undo and redo on the Logo page, by the keys a user presses on the shown
// window: every change of placement, size, mode, level, negative, background
// and tolerance goes back with Ctrl+Z and forward with Ctrl+Shift+Z or
// Ctrl+Y, a dragged bar as one step, and nothing reaches the device.
#include "logo/LogoSteps.h"

namespace {

class LogoUndoTest : public LogoFixture {
protected:
    void SetUp() override {
        form = MakeForm();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Connect(*form, pty);
        Import(*form, Save(Filled(100, 80, qRgb(90, 90, 90)), "logo.bmp"));
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    }

    // A key pressed wherever the focus is.
    void Key(int key, Qt::KeyboardModifiers modifiers) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : form.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

    TPtyPort pty{3};
    std::unique_ptr<TFormKR7> form;
};

} // namespace

TEST_F(LogoUndoTest, CtrlZUndoesEveryChangeAndCtrlShiftZOrCtrlYRedoesIt) {
    const TWindowControls ui(*form);
    const TLogoSettings imported = form->Logo().Document().Settings();
    ASSERT_EQ(imported.width, 100);

    UserInput::SetValue(ui.ScrollBarLogoWidth, 101); // one key: one step, the height follows
    EXPECT_EQ(ui.LabelLogoHeight->text(), "80");
    UserInput::DragThrough(ui.ScrollBarLogoPosX, {3, 8, 15, 30}); // one step for the whole drag
    const int dragged = ui.ScrollBarLogoPosX->value();
    ASSERT_NE(dragged, imported.posX);
    UserInput::Click(ui.RadioButtonLogoColor1);
    UserInput::Click(ui.CheckBoxLogoNegative);
    UserInput::SetValue(ui.ScrollBarLogoTransparentColorTolerance, 99);
    dialogs.colourAnswers.push_back(QColor(1, 2, 3));
    QTest::mouseClick(ui.ShapeLogoTransparentColor, Qt::RightButton);
    UserInput::Click(ui.SpeedButtonLogoCenterPosX);
    const TLogoSettings changed = form->Logo().Document().Settings();

    for (int step = 0; step < 7; ++step)
        Undo();
    EXPECT_EQ(form->Logo().Document().Settings(), imported);
    EXPECT_EQ(ui.LabelLogoWidth->text(), "100");
    EXPECT_EQ(ui.LabelLogoPosX->text(), QString::number(imported.posX));
    EXPECT_TRUE(ui.RadioButtonLogoColor0->isChecked());
    EXPECT_FALSE(ui.CheckBoxLogoNegative->isChecked());
    EXPECT_EQ(ui.LabelLogoTransparentColorToleranceValue->text(), "100%");
    EXPECT_TRUE(ui.ShapeLogoTransparentColor->styleSheet().contains("#00ff00"));
    Undo(); // nothing before the import
    EXPECT_EQ(form->Logo().Document().Settings(), imported);

    Redo();
    EXPECT_EQ(ui.LabelLogoWidth->text(), "101");
    Redo();
    EXPECT_EQ(ui.ScrollBarLogoPosX->value(), dragged);
    for (int step = 0; step < 5; ++step)
        Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->Logo().Document().Settings(), changed);
    EXPECT_TRUE(ui.RadioButtonLogoColor1->isChecked());
    EXPECT_FALSE(ui.ScrollBarLogoLevelBW->isEnabled()); // the controls follow the mode

    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon); // the keys act on the page shown only
    Undo();
    EXPECT_EQ(form->Logo().Document().Settings(), changed);

    EXPECT_EQ(pty.Take(), ""); // undo and redo never reach the device
}
