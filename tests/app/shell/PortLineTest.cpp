// The port box and the connection as the line really is: why an open failed,
// and what the drop-down tells about each port.
#include "FakeSeams.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n');
}

class PortLineTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm() {
        auto form = MakeTestForm(dir.path(), false, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    static void Connect(TFormKR7& form, const QString& port) {
        const TWindowControls ui(form);
        UserInput::Type(ui.ComboBoxPort, port);
        UserInput::SetChecked(ui.CheckBoxConnect, true);
    }
    // The user presses the box to open its list.
    static void PressPortBox(TFormKR7& form) {
        QComboBox* combo = TWindowControls(form).ComboBoxPort;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(combo->width() - 5, 5),
                          combo->mapToGlobal(QPointF(combo->width() - 5, 5)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(combo, &press);
        combo->hidePopup();
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

} // namespace

TEST_F(PortLineTest, ABusyPortIsRefusedAndTheLogNamesItsHolder) {
    TPtyPort pty(3);
    const int other = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    auto form = MakeForm();
    form->ClearLog();
    Connect(*form, QStringLiteral("COM3"));
    const QStringList lines = LogLines(*form);
    ASSERT_EQ(lines.size(), 6) << lines.join('|').toStdString();
    EXPECT_EQ(lines.mid(0, 5),
              (QStringList{QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Błąd otwarcia portu."),
                           QString(), QStringLiteral("Port niepołączony.")}));
    EXPECT_TRUE(lines[5].startsWith(
        QStringLiteral("Przyczyna: port %1/COM3 jest zajęty przez inny program (").arg(pty.Folder())))
        << lines[5].toStdString();
    EXPECT_TRUE(lines[5].contains(QStringLiteral("(PID %1)").arg(::getpid()))) << lines[5].toStdString();
    EXPECT_EQ(TWindowControls(*form).CheckBoxConnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(pty.Take(), "");

    // Once the other program lets go, the same port connects.
    ::close(other);
    form->ClearLog();
    Connect(*form, QStringLiteral("COM3"));
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Port połączony.")));
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
}

TEST_F(PortLineTest, TheListShowsEachDeviceBesideItsNameAndTheBoxKeepsTheName) {
    TPtyPort pty(3);
    auto form = MakeForm();
    PressPortBox(*form);
    QComboBox* combo = TWindowControls(*form).ComboBoxPort;
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("COM3"));
    EXPECT_EQ(combo->itemData(0, Qt::ToolTipRole).toString(), QString::fromStdString(pty.SlavePath()));
    // The list is drawn wide enough for the device beside the name.
    const QFontMetrics metrics(combo->view()->font());
    EXPECT_GT(combo->view()->sizeHintForColumn(0),
              metrics.horizontalAdvance(QStringLiteral("COM3   ") + QString::fromStdString(pty.SlavePath())));

    UserInput::Choose(combo, QStringLiteral("COM3"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("COM3"));
    UserInput::SetChecked(TWindowControls(*form).CheckBoxConnect, true);
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Port: COM3")));
}
