// The window over the reconnect policy (tested on its own, the quiet tries
// included, in tests/models/text/ReconnectPolicyTest): the log line it shows,
// the box that stays ticked, the text mode once the port opens again, and the
// tries that unticking stops.
#include "shell/ShellSteps.h"

#include <QFile>
#include <QTimer>

namespace {

const QString GONE = QStringLiteral("Urządzenie odłączone: błąd wejścia-wyjścia (EIO).");
constexpr int LONGEST_MS = 5000;

class ReconnectTest : public TShellTest {
protected:
    void SetUp() override {
        form = MakeForm();
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

    TPtyPort first{3};
    std::unique_ptr<TFormKR7> form;
};

TEST_F(ReconnectTest, AVanishedDeviceIsTriedWithTheBoxTickedAndConnectedAgainWhenBack) {
    Vanish();
    EXPECT_EQ(form->LogLines(), QStringList{GONE});
    EXPECT_TRUE(form->IsConnectChecked());
    ASSERT_NE(Tries(), nullptr);
    EXPECT_TRUE(Tries()->isActive());
    form->SaveSettings(); // the connection is still wanted
    EXPECT_TRUE(Settings().ReadBool("Settings", "Connected", false));

    TPtyPort back(3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Reconnected(); }, LONGEST_MS));
    EXPECT_EQ(form->LogLines(), QStringList{GONE} + Connected(3));
    // Text mode comes first; the ticker's rows, which go on, may follow it.
    EXPECT_EQ(back.TakeHex().substr(0, 29), TEXT_MODE);
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
