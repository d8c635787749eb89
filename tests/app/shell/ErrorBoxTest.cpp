// Errors that no handler dealt with are shown in the standard error box and
// the program goes on.
#include "shell/Application.h"
#include "shell/ShellSteps.h"

#include <new>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Qt's event delivery is not exception safe: what it set aside for the event
// that an error unwinds through, and for the window it was delivered to, is
// never released. This test's allocations are left out of the leak check;
// every other test's are still checked.
class TLeakCheckPaused {
public:
    TLeakCheckPaused() {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable();
#endif
    }
    ~TLeakCheckPaused() {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_enable();
#endif
    }
    TLeakCheckPaused(const TLeakCheckPaused&) = delete;
    TLeakCheckPaused& operator=(const TLeakCheckPaused&) = delete;
};

class ErrorBoxTest : public TShellTest {
protected:
    void SetUp() override { App()->SetDialogs(&dialogs); }
    void TearDown() override { App()->SetDialogs(nullptr); }
    static TApplication* App() { return static_cast<TApplication*>(QCoreApplication::instance()); }
    TFormOptions Options() {
        TFormOptions options;
        options.settingsDir = dir.path();
        options.dialogs = &dialogs;
        options.platform = &platform;
        return options;
    }

    const TLeakCheckPaused leakCheckPaused;
};

TEST_F(ErrorBoxTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    TPtyPort pty(3);
    auto form = BuildMainWindow(Options(), dialogs);
    ASSERT_NE(form, nullptr);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::SetChecked(ui.CheckBoxHorizNeonEnabled, false);
    UserInput::Type(ui.ComboBoxPort, QStringLiteral("COM3"));
    // the pause after connecting fails
    platform.whileSleeping = [] { throw std::runtime_error("Brak pamięci na pauzę"); };
    QTest::mouseClick(ui.CheckBoxConnect, Qt::LeftButton);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Brak pamięci na pauzę")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);

    // the window still answers the user, the box and the port included
    platform.whileSleeping = [] { throw std::bad_alloc(); };
    QTest::mouseClick(ui.ButtonClrScr, Qt::LeftButton);
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
    form->ClearLog();
    QTest::mouseClick(ui.CheckBoxConnect, Qt::LeftButton);
    EXPECT_EQ(form->LogLines(), Disconnected());
    QTest::mouseClick(ui.CheckBoxConnect, Qt::LeftButton);
    EXPECT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(dialogs.errors.last(), QString::fromLocal8Bit(std::bad_alloc().what()));
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
}

} // namespace
