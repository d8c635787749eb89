// The window without a mouse: Tab reaches every value control in the order the
// page reads, the keys step the scroll bars as designed and run their
// handlers, the colour swatch answers keys as it answers the mouse, each
// page's mnemonics are unique, and every question answers to Enter and Esc.
// The glyph map's and the glyph editor's keys: ServiceEditorTest.
#include "FakeSeams.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "ShownText.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "logo/LogoSteps.h"
#include "platform/Dialogs.h"
#include "shell/Kr7unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = MakeTestForm(dir.path(), true, dialogs, platform);
        ui.emplace(*form);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // "Importuj" pressed by Space, the open dialog answered with picture.
    void ImportLogoPicture(const QImage& picture = Filled(100, 80, 0xFF808080)) {
        const QString path = dir.filePath(QStringLiteral("logo.bmp"));
        ASSERT_TRUE(SaveBmp32File(picture, path));
        dialogs.openAnswers.push_back(path);
        UserInput::ShowPage(ui->PageControl, ui->TabSheetLogo);
        ui->ButtonLogoLoad->setFocus();
        QTest::keyClick(ui->ButtonLogoLoad, Qt::Key_Space);
        ASSERT_TRUE(form->Logo().LogoBitmap().has_value());
    }
    // A 720 x 576 picture, fitted over the whole view: left half blue, right
    // half red.
    void ImportHalves() {
        ImportLogoPicture(Halves(720, 576));
        ASSERT_EQ(ui->LabelLogoPosX->text() + u' ' + ui->LabelLogoPosY->text() + u' ' + ui->LabelLogoWidth->text(),
                  QStringLiteral("0 0 360"));
    }
    // The colour the swatch shows, in its middle.
    QRgb SwatchColour() const {
        QFrame* swatch = ui->ShapeLogoTransparentColor;
        return swatch->grab().toImage().pixel(swatch->width() / 2, swatch->height() / 2) & 0xFFFFFFu;
    }
    // The log lines written since the log held lines.
    QStringList LogSince(qsizetype lines) const { return form->LogLines().mid(lines); }

    static void SavePicture(QWidget* widget, const QString& name) {
        const QString folder = qEnvironmentVariable("KR7_SHOTS_DIR");
        if (folder.isEmpty())
            return;
        EXPECT_TRUE(widget->grab().save(QDir(folder).filePath(name))) << name.toStdString();
    }

    // The names of the widgets that focus moves to, Tab after Tab, from
    // the widget from.
    static QStringList TabChain(QWidget* from, int presses) {
        from->setFocus(Qt::TabFocusReason);
        QStringList names;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names << QApplication::focusWidget()->objectName();
        }
        return names;
    }
    static QStringList ScrollBarsOf(const QStringList& names) {
        return names.filter(QRegularExpression(QStringLiteral("^ScrollBar")));
    }
    // " 20" for each of count blanks, as TakeHex shows them.
    static std::string Spaces(int count) {
        std::string hex;
        for (int i = 0; i < count; ++i)
            hex += " 20";
        return hex + ' ';
    }
    // Alt with letter: the button of that mnemonic goes down and, once its
    // click has run, up again.
    void Mnemonic(Qt::Key letter, QAbstractButton* button) {
        QTest::keyClick(form.get(), letter, Qt::AltModifier);
        ASSERT_TRUE(button->isDown()) << button->objectName().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
    }
    static QWidget* PageOf(QWidget* widget) {
        while (!widget->objectName().startsWith(QStringLiteral("TabSheet")))
            widget = widget->parentWidget();
        return widget;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    std::unique_ptr<TFormKR7> form;
    std::optional<TWindowControls> ui;
};

TEST_F(KeyboardTest, TabFromTheShellReachesEveryValueControlInPageOrder) {
    struct TPage {
        QWidget* page;
        const char* first;
        QStringList bars;
        // Controls that follow one another in the chain, where there are.
        QStringList run;
    };
    ImportLogoPicture();
    UserInput::SetChecked(ui->CheckBoxLogoProportional, false); // the height bar takes part
    const std::vector<TPage> pages = {
        {ui->TabSheetHorizNeon,
         "EditHorizNeon",
         {"ScrollBarHorizNeonInterval", "ScrollBarHorizNeonY", "ScrollBarHorizFileTime"},
         {}},
        {ui->TabSheetVertNeon,
         "MemoVertNeon",
         {"ScrollBarVertNeonInterval", "ScrollBarVertNeonY", "ScrollBarVertNeonHeight", "ScrollBarVertFileTime"},
         {}},
        {ui->TabSheetLogo,
         "ScrollBarLogoPosX",
         {"ScrollBarLogoPosX", "ScrollBarLogoPosY", "ScrollBarLogoWidth", "ScrollBarLogoHeight", "ScrollBarLogoLevelBW",
          "ScrollBarLogoTransparentColorTolerance"},
         {"CheckBoxLogoTransparentColor", "ShapeLogoTransparentColor", "ScrollBarLogoTransparentColorTolerance"}},
        {ui->TabSheetService,
         "ImageChars",
         {"ScrollBarCrossX", "ScrollBarCrossY"},
         {"ImageChars", "PanelCharEditor", "ButtonCharCopy"}},
    };
    int reached = 0;
    for (const TPage& page : pages) {
        UserInput::ShowPage(ui->PageControl, page.page);
        const QStringList chain = TabChain(ui->ComboBoxPort, 60);
        const QStringList shell = {"CheckBoxConnect",   "ButtonSaveScreen",   "ButtonClrScr",
                                   "ButtonSetTextMode", "ButtonSetCrossMode", "qt_tabwidget_tabbar"};
        EXPECT_EQ(chain.mid(0, 6).join(u' ').toStdString(), shell.join(u' ').toStdString());
        EXPECT_EQ(chain.value(6), QString::fromLatin1(page.first));
        const qsizetype end = chain.indexOf(QStringLiteral("Memo"));
        ASSERT_GT(end, 6) << chain.join(u' ').toStdString();
        EXPECT_EQ(ScrollBarsOf(chain.mid(0, end)).join(u' ').toStdString(), page.bars.join(u' ').toStdString());
        reached += static_cast<int>(ScrollBarsOf(chain.mid(0, end)).size());
        if (!page.run.isEmpty()) {
            EXPECT_EQ(chain.mid(chain.indexOf(page.run.first()), page.run.size()).join(u' ').toStdString(),
                      page.run.join(u' ').toStdString());
        }
    }
    EXPECT_EQ(reached, 15);
}

TEST_F(KeyboardTest, ScrollBarsShowFocusOnceKeysAreUsedAndTakeItByClick) {
    UserInput::ShowPage(ui->PageControl, ui->TabSheetHorizNeon);
    QScrollBar* bar = ui->ScrollBarHorizNeonY;
    const QImage unfocused = bar->grab().toImage();
    ui->ScrollBarHorizNeonInterval->setFocus();
    QTest::keyClick(ui->ScrollBarHorizNeonInterval, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar);
    EXPECT_NE(bar->grab().toImage(), unfocused);

    QScrollBar* other = ui->ScrollBarHorizFileTime;
    QTest::mouseClick(other, Qt::LeftButton, Qt::NoModifier, QPoint(other->width() / 2, other->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), other);
}

// Arrow keys move a bar by its small step, the page keys by its large step,
// Home and End to its ends, and each move runs the bar's handler.
TEST_F(KeyboardTest, KeysStepEveryBarAsDesignedAndItsLabelFollows) {
    struct TCase {
        QScrollBar* bar;
        QLabel* label;
        int start;
        // The label after Right, after Left then PageDown, after PageUp,
        // after Home, after End.
        const char* shown;
        std::function<void()> prepare = [] {};
    };
    ImportLogoPicture();
    UserInput::SetChecked(ui->CheckBoxLogoProportional, false);
    const TWindowControls& w = *ui;
    const std::vector<TCase> cases = {
        {w.ScrollBarHorizNeonInterval, w.LabelHorizNeonInterval, 20, "2.1 3.0 2.0 0.1 10.0"},
        {w.ScrollBarHorizNeonY, w.LabelHorizNeonY, 3, "5 14 4 1 16"},
        {w.ScrollBarHorizFileTime, w.LabelHorizNeonFileTime, 30, "00:31 01:30 00:30 00:01 59:59"},
        {w.ScrollBarVertNeonInterval, w.LabelVertNeonInterval, 10, "11 20 10 1 100"},
        {w.ScrollBarVertNeonY, w.LabelVertNeonY, 2, "4 13 3 1 14",
         [&w] { UserInput::SetValue(w.ScrollBarVertNeonHeight, 3); }},
        {w.ScrollBarVertNeonHeight, w.LabelVertNeonHeight, 3, "4 13 3 1 16",
         [&w] { UserInput::SetValue(w.ScrollBarVertNeonY, 0); }},
        {w.ScrollBarVertFileTime, w.LabelVertNeonFileTime, 30, "00:31 01:30 00:30 00:01 59:59"},
        {w.ScrollBarLogoPosX, w.LabelLogoPosX, 0, "1 10 0 -1000 1000"},
        {w.ScrollBarLogoPosY, w.LabelLogoPosY, 0, "1 10 0 -1000 1000"},
        {w.ScrollBarLogoWidth, w.LabelLogoWidth, 100, "101 110 100 1 1000"},
        {w.ScrollBarLogoHeight, w.LabelLogoHeight, 100, "101 110 100 1 1000"},
        {w.ScrollBarLogoLevelBW, w.LabelLogoLevelBWValue, 50, "51% 60% 50% 1% 99%"},
        {w.ScrollBarLogoTransparentColorTolerance, w.LabelLogoTransparentColorToleranceValue, 50,
         "51% 60% 50% 1% 100%"},
        {w.ScrollBarCrossX, w.LabelCrossX, 180, "181 190 180 0 359"},
        {w.ScrollBarCrossY, w.LabelCrossY, 72, "73 82 72 0 143"},
    };
    ASSERT_EQ(cases.size(), 15u);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.bar->objectName().toStdString());
        UserInput::ShowPage(ui->PageControl, PageOf(c.bar));
        c.prepare();
        c.bar->setValue(c.start);
        c.bar->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), c.bar);
        QStringList shown;
        for (const Qt::Key key :
             {Qt::Key_Right, Qt::Key_Left, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End}) {
            Key(key);
            if (key == Qt::Key_Left)
                EXPECT_EQ(c.bar->value(), c.start);
            else
                shown << c.label->text();
        }
        EXPECT_EQ(shown.join(u' ').toStdString(), c.shown);
    }
}

TEST_F(KeyboardTest, MnemonicsPressButtonsAndFocusTheLabelledBar) {
    TPtyPort pty(3);
    ui->ComboBoxPort->setEditText(QString::fromStdString(pty.Name()));
    ui->ComboBoxPort->setFocus();
    UserInput::ShowPage(ui->PageControl, ui->TabSheetHorizNeon);
    Mnemonic(Qt::Key_P, ui->CheckBoxConnect);
    ASSERT_TRUE(form->IsConnectChecked());
    ASSERT_TRUE(ui->CheckBoxHorizNeonEnabled->isChecked()); // the ticker is on at first start

    Mnemonic(Qt::Key_C, ui->CheckBoxHorizNeonEnabled); // off: its row is blanked
    EXPECT_FALSE(ui->CheckBoxHorizNeonEnabled->isChecked());
    const std::string blankRow = "FF 00 04 00 08 1E 00 00 00 2A" + Spaces(30);
    const std::string sent = pty.TakeHex() + ' ';
    ASSERT_GE(sent.size(), blankRow.size());
    EXPECT_EQ(sent.substr(sent.size() - blankRow.size()), blankRow);
    Mnemonic(Qt::Key_W, ui->ButtonClrScr);
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");

    QTest::keyClick(form.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), ui->ScrollBarHorizNeonY);
    Key(Qt::Key_Right);
    EXPECT_EQ(ui->LabelHorizNeonY->text(), QStringLiteral("10"));
}

TEST_F(KeyboardTest, PagesChangeFromTheTabBarAndFromInsideAPage) {
    const QStringList chain = TabChain(ui->ComboBoxPort, 6);
    ASSERT_EQ(chain.last(), QStringLiteral("qt_tabwidget_tabbar"));
    Key(Qt::Key_Right);
    EXPECT_EQ(ui->PageControl->currentWidget(), ui->TabSheetHorizNeon);
    EXPECT_EQ(form->height(), 424); // the page's designed height, as a click on the tab gives
    ui->EditHorizNeon->setFocus();
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(ui->PageControl->currentWidget(), ui->TabSheetVertNeon);
    EXPECT_EQ(form->height(), 621);
}

// Within one page, together with the shell above the pages, no letter is
// underlined twice, and each caption still reads as designed.
TEST_F(KeyboardTest, NoMnemonicLetterTwiceOnAPage) {
    const auto mnemonics = [](QWidget* root, std::map<QChar, QString>& seen) {
        QStringList clashes;
        const auto note = [&](const QString& caption, const QString& name) {
            const qsizetype at = caption.indexOf(u'&');
            if (at < 0 || at + 1 >= caption.size())
                return;
            const QChar letter = caption.at(at + 1).toLower();
            if (const auto [it, added] = seen.emplace(letter, name); !added)
                clashes << it->second + u'/' + name;
        };
        for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
            note(button->text(), button->objectName());
        for (QLabel* label : root->findChildren<QLabel*>())
            if (label->buddy() != nullptr)
                note(label->text(), label->objectName());
        return clashes;
    };
    int underlined = 0;
    for (QWidget* page :
         {ui->TabSheetPreview, ui->TabSheetHorizNeon, ui->TabSheetVertNeon, ui->TabSheetLogo, ui->TabSheetService}) {
        std::map<QChar, QString> seen;
        QStringList clashes = mnemonics(ui->GroupBoxSettings, seen);
        clashes << mnemonics(ui->GroupBoxScreen, seen) << mnemonics(page, seen);
        EXPECT_TRUE(clashes.isEmpty()) << page->objectName().toStdString() << ": " << clashes.join(u' ').toStdString();
        underlined += static_cast<int>(seen.size());
    }
    EXPECT_EQ(underlined, 5 * 5 + 7 + 9 + 15 + 16);
    EXPECT_EQ(ShownText(ui->CheckBoxHorizFileRead->text()), QStringLiteral("Czytaj tekst z pliku co [min:sek]"));
    EXPECT_EQ(ShownText(ui->LabelVertNeonIntervalCaption->text()), QStringLiteral("Czas zmiany strony [sekundy]:"));
    EXPECT_EQ(ShownText(ui->ButtonCharOut2->text()), QStringLiteral("CharOut*"));
}

// The swatch is reached by Tab after "Usuń tło" and shows its focus; Space
// starts picking as a left click does, the arrows move a pick point over the
// view that the swatch follows, and Enter takes the colour under it. The
// colour, the view and the log end as a mouse pick at the same point leaves
// them (LogoMouseTest).
TEST_F(KeyboardTest, SwatchPicksTheBackgroundByKeysAsTheMouseDoes) {
    ImportHalves();
    QFrame* swatch = ui->ShapeLogoTransparentColor;
    TImageView* view = ui->ImageLogo;
    const QPoint red(300, 100);
    ui->CheckBoxLogoTransparentColor->setFocus(Qt::TabFocusReason);
    const QImage unfocused = swatch->grab().toImage();
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), swatch);
    EXPECT_NE(swatch->grab().toImage(), unfocused);

    const qsizetype lines = form->LogLines().size();
    Key(Qt::Key_Space);
    // picking: the view has the keys and shows the picture in its own colours,
    // the pick point stands on the picture's top left
    EXPECT_EQ(QApplication::focusWidget(), view);
    EXPECT_EQ(form->Logo().LogoView().pixel(red), 0xFFFF0000);
    EXPECT_EQ(view->Marker(), QPoint(0, 0));
    EXPECT_EQ(SwatchColour(), 0x0000FFu);
    for (int i = 0; i < 30; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 10; ++i)
        Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    Key(Qt::Key_Tab); // focus stays while picking
    EXPECT_EQ(view->Marker(), red);
    EXPECT_EQ(SwatchColour(), 0xFF0000u); // the swatch follows the point as it follows the pointer
    SavePicture(form.get(), QStringLiteral("keyboard-logo-picking.png"));
    Key(Qt::Key_Return);

    EXPECT_EQ(SwatchColour(), 0xFF0000u);
    EXPECT_EQ(form->Logo().LogoView().pixel(red), 0xFF808080); // red is the background now
    EXPECT_EQ(form->Logo().LogoView().pixel(100, 100), 0xFF000000);
    EXPECT_EQ(LogSince(lines), QStringList());
    EXPECT_EQ(view->Marker(), std::nullopt);
    EXPECT_EQ(QApplication::focusWidget(), swatch);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseMove(view, QPoint(50, 50)); // picking is over
    EXPECT_EQ(SwatchColour(), 0xFF0000u);
}

TEST_F(KeyboardTest, EscGivesPickingUpWithTheColourItHad) {
    ImportHalves();
    const QImage reduced = form->Logo().LogoView();
    ui->CheckBoxLogoTransparentColor->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), ui->ShapeLogoTransparentColor);
    SavePicture(form.get(), QStringLiteral("keyboard-logo.png"));
    const QRgb before = SwatchColour();
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    for (int i = 0; i < 20; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(SwatchColour(), 0xFF0000u);
    Key(Qt::Key_Escape);
    EXPECT_EQ(SwatchColour(), before);
    EXPECT_EQ(form->Logo().LogoView(), reduced);
    EXPECT_EQ(QApplication::focusWidget(), ui->ShapeLogoTransparentColor);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(ui->ImageLogo->Marker(), std::nullopt);
    QTest::mouseClick(ui->ImageLogo, Qt::LeftButton, Qt::NoModifier, QPoint(300, 100)); // no pick waits
    EXPECT_EQ(SwatchColour(), before);

    // a mouse pick answers Esc too; no mnemonic nor page change acts while picking
    QTest::mouseClick(ui->ShapeLogoTransparentColor, Qt::LeftButton);
    QTest::mouseMove(ui->ImageLogo, QPoint(310, 100));
    ASSERT_EQ(SwatchColour(), 0xFF0000u);
    const qsizetype lines = form->LogLines().size();
    Key(Qt::Key_G, Qt::AltModifier); // "Generuj": a mnemonic that acts holds its button down at once
    EXPECT_FALSE(ui->ButtonLogoCalculate->isDown());
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(LogSince(lines), QStringList());
    EXPECT_EQ(ui->PageControl->currentWidget(), ui->TabSheetLogo);
    EXPECT_EQ(QApplication::focusWidget(), ui->ImageLogo);
    Key(Qt::Key_Escape);
    EXPECT_EQ(SwatchColour(), before);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(form->Logo().LogoView(), reduced);

    // a mouse pick goes on from the pointer by keys
    QTest::mouseClick(ui->ShapeLogoTransparentColor, Qt::LeftButton);
    QTest::mouseMove(ui->ImageLogo, QPoint(170, 100));
    ASSERT_EQ(SwatchColour(), 0x0000FFu);
    for (int i = 0; i < 10; ++i)
        Key(Qt::Key_Right);
    EXPECT_EQ(ui->ImageLogo->Marker(), QPoint(180, 100));
    EXPECT_EQ(SwatchColour(), 0xFF0000u);
    Key(Qt::Key_Left);
    Key(Qt::Key_Space);
    EXPECT_EQ(SwatchColour(), 0x0000FFu);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

// The menu key (or Shift+F10) on the swatch opens the colour dialog at the
// swatch's colour, as a right click does (LogoMouseTest).
TEST_F(KeyboardTest, MenuKeyOnTheSwatchOpensTheColourDialogAsARightClick) {
    ImportHalves();
    const QImage shown = form->Logo().LogoView();
    ui->ShapeLogoTransparentColor->setFocus(Qt::TabFocusReason);
    dialogs.colourAnswers.push_back(std::nullopt);
    dialogs.colourAnswers.push_back(QColor(255, 0, 0));
    dialogs.colourAnswers.push_back(QColor(0, 255, 0));
    Key(Qt::Key_Menu); // cancelled: no change
    EXPECT_EQ(SwatchColour(), 0x00FF00u);
    Key(Qt::Key_Menu);
    EXPECT_EQ(SwatchColour(), 0xFF0000u);
    EXPECT_EQ(form->Logo().LogoView().pixel(300, 100), 0xFF808080);
    Key(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(dialogs.colourCalls.size(), 3u);
    EXPECT_EQ(dialogs.colourCalls[2], QColor(255, 0, 0));
    EXPECT_EQ(SwatchColour(), 0x00FF00u);
    EXPECT_EQ(form->Logo().LogoView(), shown);
}

// Every question of the running program: Enter takes the default answer,
// Esc cancels.
class DialogKeysTest : public ::testing::Test {
protected:
    // Presses key in the dialog that opens next, where its focus is.
    static void PressInNextDialog(Qt::Key key, const QString& typed = QString()) {
        QTimer::singleShot(0, [key, typed] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
            if (!typed.isEmpty()) {
                QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(target, typed);
            }
            QTest::keyClick(target, key);
            // A dialog that ignored the key would wait for a user forever.
            QTimer::singleShot(0, [open = QPointer<QWidget>(dialog)] {
                if (open == nullptr || !open->isVisible())
                    return;
                ADD_FAILURE() << "the key left the dialog open";
                if (auto* box = qobject_cast<QDialog*>(open.data()))
                    box->reject();
            });
        });
    }

    QTemporaryDir dir;
    TQtDialogs dialogs{dir.filePath(QStringLiteral("FileDialogs.json"))};
};

TEST_F(DialogKeysTest, QuestionTakesEnterAsOkAndEscAsCancel) {
    PressInNextDialog(Qt::Key_Return);
    EXPECT_TRUE(dialogs.AskOkCancel(nullptr, QStringLiteral("Confirm"), QStringLiteral("Discard?")));
    PressInNextDialog(Qt::Key_Enter);
    EXPECT_TRUE(dialogs.AskOkCancel(nullptr, QStringLiteral("Confirm"), QStringLiteral("Discard?")));
    PressInNextDialog(Qt::Key_Escape);
    EXPECT_FALSE(dialogs.AskOkCancel(nullptr, QStringLiteral("Confirm"), QStringLiteral("Discard?")));
}

TEST_F(DialogKeysTest, TextInputTakesEnterAsOkAndEscAsCancel) {
    PressInNextDialog(Qt::Key_Return, QStringLiteral("xyz"));
    EXPECT_EQ(dialogs.InputText(nullptr, QStringLiteral("Text"), QStringLiteral("Text:"), QStringLiteral("abc"), 255),
              QStringLiteral("xyz"));
    PressInNextDialog(Qt::Key_Escape, QStringLiteral("xyz"));
    EXPECT_EQ(dialogs.InputText(nullptr, QStringLiteral("Text"), QStringLiteral("Text:"), QStringLiteral("abc"), 255),
              std::nullopt);
}

TEST_F(DialogKeysTest, ColourDialogTakesEnterAsOkAndEscAsCancel) {
    PressInNextDialog(Qt::Key_Return);
    EXPECT_EQ(dialogs.PickColour(nullptr, QColor(0, 255, 0)), QColor(0, 255, 0));
    PressInNextDialog(Qt::Key_Escape);
    EXPECT_EQ(dialogs.PickColour(nullptr, QColor(0, 255, 0)), std::nullopt);
}

TEST_F(DialogKeysTest, MessageClosesOnEnterAndOnEsc) {
    PressInNextDialog(Qt::Key_Return);
    dialogs.Message(nullptr, QStringLiteral("Błąd"));
    PressInNextDialog(Qt::Key_Escape);
    dialogs.Message(nullptr, QStringLiteral("Błąd"));
}

TEST_F(DialogKeysTest, FileDialogTakesEnterAsOpenAndEscAsCancel) {
    QFile file(dir.filePath(QStringLiteral("myset")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    PressInNextDialog(Qt::Key_Return, QStringLiteral("myset"));
    EXPECT_EQ(dialogs.OpenFile(nullptr, TFileDialog::CharsBinaryLoad, dir.path() + u'/',
                               QStringLiteral("All files (*.*)|*.*")),
              file.fileName());
    PressInNextDialog(Qt::Key_Escape);
    EXPECT_EQ(dialogs.OpenFile(nullptr, TFileDialog::CharsBinaryLoad, dir.path() + u'/',
                               QStringLiteral("All files (*.*)|*.*")),
              QString());
}

} // namespace
