// "Połącz" and the port box driven by real mouse and key events: every change
// of the box runs the connection once, the list refills however it is opened
// and shows each device, and typed text stays as it was typed. Why a port
// does not open is found by the socket (tests/common/COMSocketOpenTest) and
// worded by OpenFailureTextTest; here the window shows it.
#include "shell/ShellSteps.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFontMetrics>
#include <QMouseEvent>

namespace {

class ConnectBoxTest : public TShellTest {
protected:
    std::unique_ptr<TFormKR7> MakeForm() {
        auto form = TShellTest::MakeForm();
        form->ClearLog();
        return form;
    }
    static QCheckBox* Box(TFormKR7& form) { return TWindowControls(form).CheckBoxConnect; }
    static QComboBox* Combo(TFormKR7& form) { return TWindowControls(form).ComboBoxPort; }
    // Selects the box's whole text and types over it.
    static void TypePort(TFormKR7& form, const QString& text) {
        QComboBox* combo = Combo(form);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(combo, text);
    }
};

TEST_F(ConnectBoxTest, ClickOnAPortThatCannotOpenLogsWhyEveryTimeAndStoresDisconnected) {
    TPtyPort pty(3); // publishes a folder in which COM77 does not exist
    const QStringList failed = FailedConnect()
                               << QStringLiteral("Przyczyna: nie ma takiego urządzenia (%1/COM77).").arg(pty.Folder());
    {
        auto form = MakeForm();
        UserInput::Type(Combo(*form), QStringLiteral("COM77"));
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        EXPECT_EQ(form->LogLines(), failed);
        EXPECT_EQ(Box(*form)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(Box(*form)->isChecked());

        // the next click tries again, and so does the space key
        form->ClearLog();
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        EXPECT_EQ(form->LogLines(), failed);
        form->ClearLog();
        Box(*form)->setFocus();
        QTest::keyClick(Box(*form), Qt::Key_Space);
        EXPECT_EQ(form->LogLines(), failed);
        EXPECT_EQ(Box(*form)->checkState(), Qt::Unchecked);
    }
    EXPECT_FALSE(Settings().ReadBool("Settings", "Connected", true));
    EXPECT_EQ(pty.Take(), "");
}

TEST_F(ConnectBoxTest, ClickAndSpaceConnectAndDisconnectOnceEach) {
    TPtyPort pty(3);
    {
        auto form = MakeForm();
        UserInput::Type(Combo(*form), QStringLiteral("COM3"));
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        EXPECT_EQ(form->LogLines(), Connected(3));
        EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
        form->ClearLog();
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        EXPECT_EQ(form->LogLines(), Disconnected());

        form->ClearLog();
        Box(*form)->setFocus();
        QTest::keyClick(Box(*form), Qt::Key_Space);
        EXPECT_EQ(form->LogLines(), Connected(3));
        EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
        EXPECT_EQ(platform.slept, 2000); // the pause after each connection
    }
    EXPECT_TRUE(Settings().ReadBool("Settings", "Connected", false));
}

// A stored connection (any integer but 0) opens at start; choosing another
// port while connected moves the connection there, and a change while
// disconnected opens nothing.
TEST_F(ConnectBoxTest, RestoreAndPortChangeRunTheConnectionOncePerChange) {
    TPtyPort first(3);
    TPtyPort second(4);
    // Both pseudo-terminals must be visible in one folder.
    QFile::link(QString::fromStdString(second.SlavePath()), first.Folder() + QStringLiteral("/COM4"));
    TScopedEnv ports("KR7_PORTS", first.Folder().toUtf8().constData());
    WriteSettings("[Settings]\r\nPort=COM3\r\nConnected=2\r\n[HorizNeon]\r\nEnabled=0\r\n");
    auto form = MakeTestForm(dir.path(), false, dialogs, platform);
    EXPECT_EQ(form->LogLines(), Connected(3));
    EXPECT_EQ(first.TakeHex(), TEXT_MODE);

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->ClearLog();
    UserInput::Choose(Combo(*form), QStringLiteral("COM4"));
    EXPECT_EQ(form->LogLines(), Disconnected() + Connected(4));
    EXPECT_EQ(second.TakeHex(), TEXT_MODE);

    UserInput::SetChecked(Box(*form), false);
    UserInput::Choose(Combo(*form), QStringLiteral("COM3"));
    EXPECT_EQ(first.Take(), "");
    EXPECT_EQ(second.Take(), "");
}

TEST_F(ConnectBoxTest, OpeningTheListFromTheKeyboardRefillsIt) {
    TPtyPort pty(3);
    auto form = MakeForm();
    QComboBox* combo = Combo(*form);
    ASSERT_EQ(combo->count(), 1);
    QFile::link(QString::fromStdString(pty.SlavePath()), pty.Folder() + QStringLiteral("/COM5"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_EQ(combo->findText(QStringLiteral("COM5")), 1);
    combo->hidePopup();

    QFile::link(QString::fromStdString(pty.SlavePath()), pty.Folder() + QStringLiteral("/COM6"));
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(combo->findText(QStringLiteral("COM6")), 2);
    combo->hidePopup();
    EXPECT_EQ(combo->currentText(), QStringLiteral("COM1"));
}

TEST_F(ConnectBoxTest, TheListShowsEachDeviceBesideItsNameAndTheBoxKeepsTheName) {
    TPtyPort pty(3);
    auto form = MakeForm();
    // The user presses the box to open its list.
    QComboBox* combo = Combo(*form);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(combo->width() - 5, 5),
                      combo->mapToGlobal(QPointF(combo->width() - 5, 5)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(combo, &press);
    combo->hidePopup();
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("COM3"));
    EXPECT_EQ(combo->itemData(0, Qt::ToolTipRole).toString(), QString::fromStdString(pty.SlavePath()));
    // The list is drawn wide enough for the device beside the name.
    const QFontMetrics metrics(combo->view()->font());
    EXPECT_GT(combo->view()->sizeHintForColumn(0),
              metrics.horizontalAdvance(QStringLiteral("COM3   ") + QString::fromStdString(pty.SlavePath())));

    UserInput::Choose(combo, QStringLiteral("COM3"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("COM3"));
    UserInput::SetChecked(Box(*form), true);
    EXPECT_EQ(form->LogLines(), Connected(3));
}

TEST_F(ConnectBoxTest, TypedTextStaysAsTypedAndIsStored) {
    TPtyPort pty(7);
    {
        auto form = MakeForm();
        TypePort(*form, QStringLiteral("COM7"));
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        ASSERT_EQ(form->LogLines().mid(0, 4), Connected(7));
        pty.Take();

        // every keystroke reconnects; "com7" is refused as a name, so the
        // port in force stays COM7
        form->ClearLog();
        TypePort(*form, QStringLiteral("com7"));
        QTest::keyClick(Combo(*form), Qt::Key_Return);
        Box(*form)->setFocus(); // the box loses the focus
        EXPECT_EQ(Combo(*form)->currentText(), QStringLiteral("com7"));
        EXPECT_EQ(form->LogLines().mid(form->LogLines().size() - 4), Connected(7));
        EXPECT_EQ(Box(*form)->checkState(), Qt::Checked);
    }
    EXPECT_EQ(Settings().ReadString("Settings", "Port", ""), "com7");
}

} // namespace
