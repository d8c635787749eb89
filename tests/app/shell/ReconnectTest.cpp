// The window over the reconnect policy (tested on its own under models): the
// log lines it shows, the box that stays ticked, the text mode once the port
// opens again, and the tries that unticking stops.
#include "FakeSeams.h"
#include "PtyPort.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString GONE = QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO).");
constexpr int LONGEST_MS = 5000;

class ReconnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = MakeTestForm(dir.path(), false, dialogs, platform);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        UserInput::Type(TWindowControls(*form).ComboBoxPort, QString::fromStdString(first.Name()));
        QTest::mouseClick(TWindowControls(*form).CheckBoxConnect, Qt::LeftButton);
        ASSERT_TRUE(form->IsConnectChecked());
        first.Take();
    }
    // The device vanishes and the user clears the screen twice.
    void Vanish() {
        first.CloseMaster();
        // The dangling link could lead to another program's new terminal of the same number.
        QFile::remove(first.Folder() + QStringLiteral("/COM3"));
        form->ClearLog();
        QTest::mouseClick(TWindowControls(*form).ButtonClrScr, Qt::LeftButton);
        QTest::mouseClick(TWindowControls(*form).ButtonClrScr, Qt::LeftButton);
    }
    QTimer* Tries() const { return form->findChild<QTimer*>("TimerReconnect"); }
    bool Reconnected() const { return form->LogLines().contains(QStringLiteral("Port: COM3")); }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    TPtyPort first{3};
    std::unique_ptr<TFormKR7> form;
};

TEST_F(ReconnectTest, AVanishedDeviceClosesThePortWithOneLineAndTheBoxStaysTicked) {
    Vanish();
    EXPECT_EQ(form->LogLines(), QStringList{GONE});
    EXPECT_TRUE(form->IsConnectChecked());
    ASSERT_NE(Tries(), nullptr);
    EXPECT_TRUE(Tries()->isActive());
    // The tries while the device is away say nothing.
    QSignalSpy tries(Tries(), &QTimer::timeout);
    ASSERT_TRUE(tries.wait(LONGEST_MS));
    EXPECT_EQ(form->LogLines(), QStringList{GONE});
    form.reset();
    QFile ini(dir.path() + "/KR7Controller.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(ini.readAll()).contains(QStringLiteral("Connected=1")));
}

TEST_F(ReconnectTest, TheDeviceBackIsConnectedWithTheDesignedLinesAndTextMode) {
    Vanish();
    TPtyPort back(3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Reconnected(); }, LONGEST_MS));
    const QStringList expected{GONE, QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Port połączony."),
                               QStringLiteral("Port: COM3")};
    EXPECT_EQ(form->LogLines(), expected);
    // Text mode comes first; the ticker's rows, which go on, may follow it.
    EXPECT_EQ(back.TakeHex().substr(0, 29), "FF 00 01 01 00 00 00 00 00 02");
    EXPECT_FALSE(Tries()->isActive());
    QTest::mouseClick(TWindowControls(*form).ButtonClrScr, Qt::LeftButton);
    EXPECT_NE(back.TakeHex().find("FF 00 03 00 00 00 00 00 00 03"), std::string::npos);
}

TEST_F(ReconnectTest, UntickingStopsTheTries) {
    Vanish();
    QTest::mouseClick(TWindowControls(*form).CheckBoxConnect, Qt::LeftButton);
    ASSERT_FALSE(form->IsConnectChecked());
    EXPECT_FALSE(Tries()->isActive());
    EXPECT_FALSE(Reconnected());
}

} // namespace
