// The window on the desktop: unique underlined letters on every page in both
// languages, focus that shows, the keys that work anywhere in the window, a
// second start handing over to the first, and pictures given at start.
#include "logo/LogoPage.h"
#include "shell/Language.h"
#include "shell/ShellSteps.h"
#include "shell/SingleInstance.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>

#include <map>

namespace {

// The letters Alt presses on one page: its own controls and the window's
// controls outside the pages.
std::map<QChar, QStringList> MnemonicsOn(const TFormKR7& form, const QWidget& page, const QTabWidget& pages) {
    std::map<QChar, QStringList> letters;
    const auto note = [&letters](const QWidget* control, const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            letters[QChar(static_cast<char16_t>(key[0].key())).toUpper()] << control->objectName() + u'=' + text;
    };
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        const bool onPage = page.isAncestorOf(control);
        const bool inShell = !pages.isAncestorOf(control);
        if (!(onPage ? control->isVisibleTo(&page) : inShell && control->isVisibleTo(&form)))
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            note(button, button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(control); label && label->buddy())
            note(label, label->text());
        else if (const auto* group = qobject_cast<const QGroupBox*>(control))
            note(group, group->title());
    }
    return letters;
}

class DesktopTest : public TShellTest {
protected:
    void Open(bool service = true) {
        form = MakeForm(service);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename T = QWidget> T* Find(const char* name) const {
        T* control = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Keys(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    std::unique_ptr<TFormKR7> form;
};

} // namespace

TEST_F(DesktopTest, EveryPageHasUniqueUnderlinedLettersInBothLanguages) {
    for (const bool english : {false, true}) {
        const std::unique_ptr<QTranslator> translator = english ? InstallProgramEnglish() : nullptr;
        Open();
        const auto* pages = Find<QTabWidget>("PageControl");
        for (int i = 0; i < pages->count(); ++i) {
            const auto letters = MnemonicsOn(*form, *pages->widget(i), *pages);
            EXPECT_GE(letters.size(), 5u);
            for (const auto& [letter, controls] : letters)
                EXPECT_EQ(controls.size(), 1)
                    << (english ? "en " : "pl ") << pages->widget(i)->objectName().toStdString() << ": "
                    << controls.join(u' ').toStdString();
        }
        form.reset();
    }
}

TEST_F(DesktopTest, FillButtonsAndLogShowFocus) {
    Open();
    auto* pages = Find<QTabWidget>("PageControl");
    pages->setCurrentWidget(Find("TabSheetService"));
    for (const char* name : {"SpeedButtonClearBlack", "SpeedButtonClearGray", "SpeedButtonClearWhite", "Memo"}) {
        QWidget* control = Find(name);
        Find("ComboBoxPort")->setFocus();
        const QImage before = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus()) << name;
        EXPECT_NE(control->grab().toImage(), before) << name << " looks the same with the focus";
    }
}

TEST_F(DesktopTest, CtrlTabChangesPagesFromAnywhereAndSkipsHiddenPages) {
    Open(false);
    auto* pages = Find<QTabWidget>("PageControl");
    Keys(Find("ComboBoxPort"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    Keys(Find("Memo"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 2);
    Keys(Find("MemoVertNeon"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    Keys(Find("ButtonClrScr"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    Keys(Find("ButtonClrScr"), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages->currentIndex(), 3) << "back from the first page to the last shown one, Service hidden";
    Keys(Find("ButtonClrScr"), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(DesktopTest, CtrlQClosesAskingAboutUnsavedGlyphEdits) {
    Open();
    auto* pages = Find<QTabWidget>("PageControl");
    pages->setCurrentWidget(Find("TabSheetService"));
    Keys(Find("PanelCharEditor"), Qt::Key_0, Qt::NoModifier); // paints a cell black
    Keys(Find("ComboBoxPort"), Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(form->isVisible()) << "Cancel keeps the window";
    dialogs.okCancelAnswers.push_back(true);
    Keys(Find("Memo"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DesktopTest, PictureGivenAtStartIsImportedOnTheLogoPage) {
    Open();
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString file = Path(QStringLiteral("shop.png"));
    ASSERT_TRUE(picture.save(file, "PNG"));
    form->OpenFiles({file});
    EXPECT_EQ(Find<QTabWidget>("PageControl")->currentWidget(), Find("TabSheetLogo"));
    EXPECT_TRUE(form->Logo().LogoBitmap().has_value()) << form->LogLines().join(u'|').toStdString();
    form->OpenFiles({file}); // the view holds a picture: refused, and said so
    EXPECT_TRUE(form->LogLines().constLast().contains(QStringLiteral("wyczyść")))
        << form->LogLines().constLast().toStdString();
}

TEST(SingleInstanceTest, SecondStartHandsItsFilesToTheFirstAndEnds) {
    QTemporaryDir runtime;
    TSingleInstance first(QStringLiteral("/settings/a"), runtime.path());
    ASSERT_FALSE(first.HandOver({}));
    QSignalSpy activated(&first, &TSingleInstance::Activated);

    TSingleInstance second(QStringLiteral("/settings/a"), runtime.path());
    EXPECT_TRUE(second.HandOver({QStringLiteral("/pictures/shop.jpg")}));
    ASSERT_TRUE(activated.wait(5000));
    EXPECT_EQ(activated.front().front().toStringList(), QStringList{QStringLiteral("/pictures/shop.jpg")});

    TSingleInstance other(QStringLiteral("/settings/b"), runtime.path());
    EXPECT_FALSE(other.HandOver({})) << "another settings folder is another window";
}
