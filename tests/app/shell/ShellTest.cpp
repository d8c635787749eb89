// The window shell offscreen: connection, screen buttons, log, pages, and the
// Settings section of the settings file.
#include "FakeSeams.h"
#include "IniFile.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "ShownText.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/Kr7unit1.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList LogLines(const TFormKR7& form) {
    return TWindowControls(form).Memo->toPlainText().split(u'\n');
}

class ShellTest : public ::testing::Test {
protected:
    std::unique_ptr<TFormKR7> MakeForm(bool service = false) {
        auto form = MakeTestForm(dir.path(), service, dialogs, platform);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    void WriteSettings(const QByteArray& text) {
        QFile file(dir.filePath(QStringLiteral("KR7Controller.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static void Connect(TFormKR7& form, const std::string& port) {
        const TWindowControls ui(form);
        UserInput::Type(ui.ComboBoxPort, QString::fromStdString(port));
        UserInput::SetChecked(ui.CheckBoxConnect, true);
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
};

TEST_F(ShellTest, FirstStartIsDisconnectedOnPreviewWithDesignedControls) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("KR-7 Controller 2.0"));
    EXPECT_EQ(ui.ComboBoxPort->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(ui.CheckBoxConnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.PageControl->currentIndex(), 0);
    EXPECT_EQ(form->height(), 506);
    EXPECT_EQ(LogLines(*form), (QStringList{QString(), QStringLiteral("Port niepołączony.")}));
    EXPECT_FALSE(ui.PageControl->isTabVisible(4));
    EXPECT_EQ(ShownText(ui.ButtonClrScr->text()), QStringLiteral("Wyczyść"));
    EXPECT_EQ(ui.ButtonClrScr->toolTip(), QStringLiteral("Czyści ekran urządzenia"));
    EXPECT_EQ(ui.GroupBoxMessages->title(), QStringLiteral("Komunikaty:"));
}

TEST_F(ShellTest, ServiceSwitchInAnyCaseShowsTheServicePage) {
    EXPECT_TRUE(HasServiceSwitch({"prog", "-service"}));
    EXPECT_TRUE(HasServiceSwitch({"prog", "/SERVICE"}));
    EXPECT_TRUE(HasServiceSwitch({"prog", "x", "-SeRvIcE"}));
    EXPECT_FALSE(HasServiceSwitch({"prog"}));
    EXPECT_FALSE(HasServiceSwitch({"prog", "service"}));
    EXPECT_FALSE(HasServiceSwitch({"prog", "--service"}));
    EXPECT_FALSE(HasServiceSwitch({"-service"})); // the program's own name
    auto form = MakeForm(true);
    EXPECT_TRUE(TWindowControls(*form).PageControl->isTabVisible(4));
}

TEST_F(ShellTest, FailedConnectLogsFiveLinesAndUnchecks) {
    TScopedEnv ports("KR7_PORTS", dir.path().toUtf8().constData());
    auto form = MakeForm();
    form->ClearLog();
    Connect(*form, "COM77");
    EXPECT_EQ(LogLines(*form),
              (QStringList{QString(), QStringLiteral("Trwa łączenie...."), QStringLiteral("Błąd otwarcia portu."),
                           QString(), QStringLiteral("Port niepołączony."),
                           QStringLiteral("Przyczyna: nie ma takiego urządzenia (%1/COM77).").arg(dir.path())}));
    EXPECT_EQ(TWindowControls(*form).CheckBoxConnect->checkState(), Qt::Unchecked);
}

TEST_F(ShellTest, ConnectSendsTextModeAndScreenButtonsSendTheirFrames) {
    TPtyPort pty(3);
    auto form = MakeForm(true);
    form->ClearLog();
    Connect(*form, pty.Name());
    EXPECT_EQ(LogLines(*form), (QStringList{QString(), QStringLiteral("Trwa łączenie...."),
                                            QStringLiteral("Port połączony."), QStringLiteral("Port: COM3")}));
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    EXPECT_EQ(platform.slept, 1000);

    const TWindowControls ui(*form);
    UserInput::Click(ui.ButtonSetCrossMode);
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 00 00 00 00 00 00 01 FF 00 07 00 00 00 00 00 00 07 "
                             "FF 00 02 00 00 00 00 00 00 02");
    UserInput::Click(ui.ButtonSetTextMode);
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02 FF 00 07 01 00 00 00 00 00 08 "
                             "FF 00 02 00 00 00 00 00 00 02");
    UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    UserInput::Click(ui.ButtonTurnCrossMode);
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 00 00 00 00 00 00 01");
    UserInput::Click(ui.ButtonTurnTextMode);
    EXPECT_EQ(pty.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    UserInput::Click(ui.ButtonClrScr);
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
    UserInput::Click(ui.ButtonSaveScreen);
    UserInput::Click(ui.ButtonEEPROMSave);
    EXPECT_EQ(pty.TakeHex(), "FF 00 02 00 00 00 00 00 00 02 FF 00 02 00 00 00 00 00 00 02");
}

TEST_F(ShellTest, ChangingThePortReconnectsOnlyWhileConnected) {
    TPtyPort first(3);
    TPtyPort second(4);
    // Both pseudo-terminals must be visible in one folder.
    QFile::link(QString::fromStdString(second.SlavePath()), first.Folder() + QStringLiteral("/COM4"));
    TScopedEnv ports("KR7_PORTS", first.Folder().toUtf8().constData());
    auto form = MakeForm();
    const TWindowControls ui(*form);
    UserInput::Type(ui.ComboBoxPort, QStringLiteral("COM4"));
    EXPECT_EQ(second.Take(), "");
    Connect(*form, "COM3");
    EXPECT_EQ(first.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    form->ClearLog();
    UserInput::Choose(ui.ComboBoxPort, QStringLiteral("COM4"));
    EXPECT_EQ(second.TakeHex(), "FF 00 01 01 00 00 00 00 00 02");
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Port: COM4")));
    EXPECT_TRUE(LogLines(*form).contains(QStringLiteral("Port niepołączony.")));
}

TEST_F(ShellTest, LogIsTrimmedToItsNewestThousandLines) {
    auto form = MakeForm();
    form->ClearLog();
    for (int i = 0; i < 1500; ++i)
        form->Log(QString::number(i));
    form->TimerClearMemoTimer();
    QStringList lines = LogLines(*form);
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.first(), QStringLiteral("500"));
    EXPECT_EQ(lines.last(), QStringLiteral("1499"));
    form->TimerClearMemoTimer();
    EXPECT_EQ(LogLines(*form).size(), 1000);
}

TEST_F(ShellTest, PageChangeSetsTheClientHeightAndKeepsTheLogAtTheBottom) {
    auto form = MakeForm(true);
    const int heights[] = {506, 424, 621, 658, 618};
    const TWindowControls ui(*form);
    for (int page = 0; page < 5; ++page) {
        UserInput::ShowPage(ui.PageControl, ui.PageControl->widget(page));
        EXPECT_EQ(form->height(), heights[page]) << page;
        EXPECT_EQ(TWindowControls(*form).GroupBoxMessages->geometry().bottom(), heights[page] - 3) << page;
        EXPECT_LE(TWindowControls(*form).PanelMain->geometry().bottom(), TWindowControls(*form).GroupBoxMessages->y())
            << page;
    }
}

TEST_F(ShellTest, SettingsSectionRoundTrips) {
    {
        auto form = MakeForm(true);
        const TWindowControls ui(*form);
        UserInput::Type(ui.ComboBoxPort, QStringLiteral("COM12"));
        UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
        form->move(40, 50);
    }
    TIniFile ini(dir.filePath(QStringLiteral("KR7Controller.ini")));
    EXPECT_EQ(ini.ReadString("Settings", "Port", ""), "COM12");
    EXPECT_EQ(ini.ReadInteger("Settings", "ActivePageIndex", -1), 4);
    EXPECT_FALSE(ini.ReadBool("Settings", "Connected", true));
    auto form = MakeForm(true);
    EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), QStringLiteral("COM12"));
    EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 4);
    EXPECT_EQ(form->height(), 618);
}

TEST_F(ShellTest, UnusablePageIndexesGivePageZero) {
    for (const char* index : {"4", "7", "-1", "x"}) {
        WriteSettings(QByteArray("[Settings]\r\nActivePageIndex=") + index + "\r\n");
        auto form = MakeForm(false);
        EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 0) << index;
    }
}

TEST_F(ShellTest, BadSettingsFileStartsWithDefaults) {
    WriteSettings(QByteArray("\x00\xff\xfe[Sett\nings]\n=\n[Settings\nPort=\n\x01\x02", 26));
    auto form = MakeForm();
    EXPECT_EQ(TWindowControls(*form).CheckBoxConnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 0);
}

TEST_F(ShellTest, ConnectedValuesReadAsIntegers) {
    WriteSettings("[Settings]\r\nConnected=yes\r\n");
    EXPECT_EQ(TWindowControls(*MakeForm()).CheckBoxConnect->checkState(), Qt::Unchecked);
    TPtyPort pty(3);
    WriteSettings("[Settings]\r\nPort=COM3\r\nConnected=2\r\n");
    auto form = MakeForm();
    EXPECT_EQ(TWindowControls(*form).CheckBoxConnect->checkState(), Qt::Checked);
}

} // namespace

// Every box and radio button takes a click anywhere on its area, as at its
// middle and its far end, well right of the caption.
TEST_F(ShellTest, BoxesTakeAClickAnywhereOnTheirArea) {
    auto form = MakeForm(true);
    const TWindowControls ui(*form);
    // The file boxes ask for a file while their field is empty.
    const QString text = dir.filePath(QStringLiteral("text.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("tekst\r\n");
    file.close();
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::Type(ui.EditHorizFile, text);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
    UserInput::Type(ui.EditVertFile, text);
    // The Logo page's boxes wait for a picture.
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(0xFF808080);
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(SaveBmp32File(picture, path));
    dialogs.openAnswers.push_back(path);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
    UserInput::Click(ui.ButtonLogoLoad);
    int tried = 0;
    for (int page = 0; page < ui.PageControl->count(); ++page) {
        UserInput::ShowPage(ui.PageControl, ui.PageControl->widget(page));
        for (QAbstractButton* box : ui.PageControl->widget(page)->findChildren<QAbstractButton*>()) {
            if (!box->isCheckable() || !box->isVisible() || !box->isEnabled())
                continue;
            const std::string name = box->objectName().toStdString();
            const bool radio = qobject_cast<QRadioButton*>(box) != nullptr;
            if (radio && box->isChecked())
                continue;
            const bool was = box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton);
            EXPECT_NE(box->isChecked(), was) << name << " at its middle";
            if (radio)
                continue;
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 2, box->height() / 2));
            EXPECT_EQ(box->isChecked(), was) << name << " at its far end";
            ++tried;
        }
    }
    EXPECT_EQ(tried, 9); // every box but "Połącz", which needs a port
}
