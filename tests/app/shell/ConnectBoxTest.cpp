// "Połącz" and the port box driven by real mouse and key events: every change
// of the box runs the connection once, the list refills however it is opened,
// and typed text stays as it was typed.
#include "FakeSeams.h"
#include "IniFile.h"
#include "OpenFailure.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList FAILED_CONNECT = {QString(), QStringLiteral("Trwa łączenie...."),
                                    QStringLiteral("Błąd otwarcia portu."), QString(),
                                    QStringLiteral("Port niepołączony.")};
const QStringList DISCONNECT = {QString(), QStringLiteral("Port niepołączony.")};
const std::string TEXT_MODE = "FF 00 01 01 00 00 00 00 00 02";

QStringList Connected(int port) {
    return {QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Port połączony."),
            QStringLiteral("Port: COM%1").arg(port)};
}

class ConnectBoxTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm() {
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->ClearLog();
        return form;
    }
    TIniFile Settings() const { return TIniFile(dir.filePath(QStringLiteral("KR7Controller.ini"))); }
    static QCheckBox* Box(TFormKR7& form) { return form.findChild<QCheckBox*>(QStringLiteral("CheckBoxConnect")); }
    static QComboBox* Combo(TFormKR7& form) { return form.findChild<QComboBox*>(QStringLiteral("ComboBoxPort")); }
    // Selects the box's whole text and types over it.
    static void TypePort(TFormKR7& form, const QString& text) {
        QComboBox* combo = Combo(form);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(combo, text);
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

// The five lines of a failed open, then the one line that says why.
void ExpectFailedConnect(const TFormKR7& form) {
    const QStringList lines = form.LogLines();
    ASSERT_EQ(lines.size(), FAILED_CONNECT.size() + 1);
    EXPECT_EQ(lines.mid(0, FAILED_CONNECT.size()), FAILED_CONNECT);
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("Przyczyna: ")));
}

TEST_F(ConnectBoxTest, ClickOnAPortThatCannotOpenLogsAllFiveLinesEveryTimeAndStoresDisconnected) {
    TPtyPort pty(3); // publishes a folder in which COM77 does not exist
    {
        auto form = MakeForm();
        UserInput::Type(Combo(*form), QStringLiteral("COM77"));
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        ExpectFailedConnect(*form);
        EXPECT_EQ(Box(*form)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(Box(*form)->isChecked());

        // the next click tries again, and so does the space key
        form->ClearLog();
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        ExpectFailedConnect(*form);
        form->ClearLog();
        Box(*form)->setFocus();
        QTest::keyClick(Box(*form), Qt::Key_Space);
        ExpectFailedConnect(*form);
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
        EXPECT_EQ(form->LogLines(), DISCONNECT);

        form->ClearLog();
        Box(*form)->setFocus();
        QTest::keyClick(Box(*form), Qt::Key_Space);
        EXPECT_EQ(form->LogLines(), Connected(3));
        EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
        EXPECT_EQ(platform.slept, 2000);
    }
    EXPECT_TRUE(Settings().ReadBool("Settings", "Connected", false));
}

TEST_F(ConnectBoxTest, RestoreAndPortChangeRunTheConnectionOncePerChange) {
    TPtyPort pty(3);
    QFile::link(QString::fromStdString(pty.SlavePath()), pty.Folder() + QStringLiteral("/COM4"));
    {
        QFile file(dir.filePath(QStringLiteral("KR7Controller.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\r\nPort=COM3\r\nConnected=1\r\n[HorizNeon]\r\nEnabled=0\r\n");
    }
    auto form = MakeTestForm(dir.path(), false, dialogs, platform);
    EXPECT_EQ(form->LogLines(), Connected(3));
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);

    // choosing COM4 from the list by keyboard: one disconnect, one connect
    form->show();
    form->ClearLog();
    Combo(*form)->setFocus();
    QTest::keyClick(Combo(*form), Qt::Key_Down);
    ASSERT_EQ(Combo(*form)->currentText(), QStringLiteral("COM4"));
    EXPECT_EQ(form->LogLines(), DISCONNECT + Connected(4));
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
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

// A user refused by the device's permissions is sent to its group only when
// the group may read and write the device (crw-rw----); a device closed to
// its group (crw--w----) sends the user to an administrator instead. The
// click is made as another user, since root is never refused.
TEST_F(ConnectBoxTest, APermissionRefusalNamesTheGroupOnlyWhenJoiningItWouldHelp) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    TPtyPort pty(3);
    auto form = MakeForm();
    const QByteArray folder = QFile::encodeName(pty.Folder());
    ASSERT_EQ(::chmod(folder.constData(), 0755), 0);
    // The device belongs to a group that is not this user's.
    const group* serial = ::getgrnam("dialout");
    if (serial == nullptr)
        serial = ::getgrnam("tty");
    if (serial == nullptr)
        GTEST_SKIP() << "no dialout or tty group";
    ASSERT_EQ(::chown(pty.SlavePath().c_str(), 0, serial->gr_gid), 0);
    TypePort(*form, QStringLiteral("COM3"));
    const QString path = pty.Folder() + QStringLiteral("/COM3");
    const auto clickAsAnotherUser = [&](mode_t mode) {
        ASSERT_EQ(::chmod(pty.SlavePath().c_str(), mode), 0);
        form->ClearLog();
        ASSERT_EQ(::seteuid(65534), 0);
        QTest::mouseClick(Box(*form), Qt::LeftButton);
        ASSERT_EQ(::seteuid(0), 0);
        ExpectFailedConnect(*form);
    };
    clickAsAnotherUser(0620);
    EXPECT_EQ(form->LogLines().back(),
              QStringLiteral("Przyczyna: brak uprawnień do %1; urządzenie nie jest dostępne dla swojej grupy, więc "
                             "dołączenie do niej nie pomoże. Poproś administratora o regułę udev, która da grupie "
                             "dialout odczyt i zapis (GROUP=\"dialout\", MODE=\"0660\", jak w README).")
                  .arg(path));
    clickAsAnotherUser(0660);
    const QString group = QString::fromStdString(DeviceGroup(pty.SlavePath()));
    EXPECT_EQ(
        form->LogLines().back(),
        QStringLiteral("Przyczyna: brak uprawnień do %1; użytkownik musi należeć do grupy %2 (sudo usermod -aG %2 "
                       "$USER), a potem zalogować się ponownie.")
            .arg(path, group));
}
