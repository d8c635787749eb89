// kr7ctl font through the real binary, and the service page's Font... dialog
// through clicks and keys: the same glyph set, byte for byte, one undo step,
// and nothing sent to the device until the user uploads.
#include "Kr7ctlWindow.h"
#include "service/FontDialog.h"
#include "service/FontPreview.h"

#include <QFile>
#include <QListWidget>
#include <QSpinBox>

// Which names are closest is the font catalogue's rule; kr7ctl says them and
// writes nothing.
TEST(Kr7ctlFont, AnUnknownFontExitsFourWithTheClosestNames) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("set.bin"));
    const TRun run = RunKr7ctl({"font", "DejaVu Sams Mono", "--out", out});
    EXPECT_EQ(run.status, EXIT_FILE);
    EXPECT_NE(run.err.find("no installed font is named \"DejaVu Sams Mono\"; closest: DejaVu Sans Mono"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(QFile::exists(out));
}

class Kr7ctlFontWindowTest : public Kr7ctlWindowFixture {};

TEST_F(Kr7ctlFontWindowTest, ApplyTakesKr7ctlsShapesAsAnUnsavedEditAndSendsNothing) {
    const QString ctlSet = Path(QStringLiteral("ctl.bin"));
    const QString preview = Path(QStringLiteral("preview.png"));
    const TRun run = RunKr7ctl({"font", "DejaVu Serif:Bold", "--out", ctlSet, "--weight", "1", "--preview", preview});
    ASSERT_EQ(run.status, EXIT_DONE) << run.err;
    EXPECT_EQ(Read(ctlSet).size(), 13824);
    EXPECT_FALSE(QImage(preview).isNull());

    OpenWindow(true);
    TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    UserInput::Click(form->findChild<QPushButton*>(QStringLiteral("ButtonFont")));
    TFontDialog* dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (dialog = form->findChild<TFontDialog*>()) && dialog->isVisible(); }));

    UserInput::Type(dialog->findChild<QLineEdit*>(QStringLiteral("LineEditFontSearch")), QStringLiteral("serif"));
    EXPECT_EQ(dialog->findChild<QListWidget*>(QStringLiteral("ListFontFamilies"))->currentItem()->text(),
              QStringLiteral("DejaVu Serif"));
    UserInput::Choose(dialog->findChild<QComboBox*>(QStringLiteral("ComboBoxFontStyle")), QStringLiteral("Bold"));
    auto* weight = dialog->findChild<QSpinBox*>(QStringLiteral("SpinBoxFontWeight"));
    UserInput::Click(weight);
    QTest::keyClick(weight, Qt::Key_Up);
    ASSERT_EQ(weight->value(), 1);
    const auto* shown = dialog->findChild<TFontPreview*>(QStringLiteral("FontPreview"));
    EXPECT_EQ(shown->FontChars(), dialog->Drawn().chars); // the preview follows at once
    EXPECT_GE(shown->Zoom(), 2);

    UserInput::Click(dialog->findChild<QPushButton*>(QStringLiteral("ButtonFontApply")));
    EXPECT_TRUE(ui.Memo->toPlainText().contains(QStringLiteral("Codes 1 to 111 drawn from font DejaVu Serif Bold.")));
    EXPECT_TRUE(form->Chars().Modified());
    EXPECT_EQ(TakeHex().find("FF 00 05"), std::string::npos); // no glyph goes to the device until an upload

    dialogs.saveAnswers.push_back(Path(QStringLiteral("window.bin")));
    UserInput::Click(form->findChild<QPushButton*>(QStringLiteral("ButtonSaveToBinaryFile")));
    EXPECT_EQ(Read(Path(QStringLiteral("window.bin"))), Read(ctlSet));

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier); // Apply is one undo step
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
}
