// The window shell offscreen: first start, screen buttons, log, pages, and the
// Settings section of the settings file. The connection itself is in
// ConnectBoxTest; the designed height of every page in ScreenFitTest.
#include "PictureFile.h"
#include "ShownText.h"
#include "logo/LogoPage.h"
#include "shell/FormOptions.h"
#include "shell/ShellSteps.h"

#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

class ShellTest : public TShellTest {};

TEST_F(ShellTest, FirstStartIsDisconnectedOnPreviewWithDesignedControls) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("KR-7 Controller 2.0"));
    EXPECT_EQ(ui.ComboBoxPort->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(ui.CheckBoxConnect->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui.PageControl->currentIndex(), 0);
    EXPECT_EQ(form->LogLines(), Disconnected());
    EXPECT_FALSE(ui.PageControl->isTabVisible(4));
    EXPECT_EQ(ShownText(ui.ButtonClrScr->text()), QStringLiteral("Wyczyść"));
    EXPECT_EQ(ui.ButtonClrScr->toolTip(), QStringLiteral("Czyści ekran urządzenia"));
    EXPECT_EQ(ui.GroupBoxMessages->title(), QStringLiteral("Komunikaty:"));
    // The text features' starting values (tests/models/text) reach their boxes.
    EXPECT_TRUE(ui.CheckBoxHorizNeonEnabled->isChecked());
    EXPECT_FALSE(ui.CheckBoxVertNeonEnabled->isChecked());
    EXPECT_FALSE(form->Logo().LogoBitmap().has_value());
}

TEST_F(ShellTest, ServiceSwitchShowsTheServicePage) {
    auto form = MakeForm(true);
    EXPECT_TRUE(TWindowControls(*form).PageControl->isTabVisible(4));
}

TEST_F(ShellTest, ScreenButtonsSendTheirFrames) {
    TPtyPort pty(3);
    auto form = MakeForm(true);
    Connect(*form, pty);
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);

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
    EXPECT_EQ(pty.TakeHex(), TEXT_MODE);
    UserInput::Click(ui.ButtonClrScr);
    EXPECT_EQ(pty.TakeHex(), "FF 00 03 00 00 00 00 00 00 03");
    UserInput::Click(ui.ButtonSaveScreen);
    UserInput::Click(ui.ButtonEEPROMSave);
    EXPECT_EQ(pty.TakeHex(), "FF 00 02 00 00 00 00 00 00 02 FF 00 02 00 00 00 00 00 00 02");
}

TEST_F(ShellTest, LogIsTrimmedToItsNewestThousandLines) {
    auto form = MakeForm();
    form->ClearLog();
    for (int i = 0; i < 1500; ++i)
        form->Log(QString::number(i));
    form->TimerClearMemoTimer();
    QStringList lines = form->LogLines();
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.first(), QStringLiteral("500"));
    EXPECT_EQ(lines.last(), QStringLiteral("1499"));
    form->TimerClearMemoTimer();
    EXPECT_EQ(form->LogLines().size(), 1000);
}

TEST_F(ShellTest, PageChangeKeepsTheLogAtTheBottom) {
    auto form = MakeForm(true);
    const TWindowControls ui(*form);
    for (int page = 0; page < 5; ++page) {
        UserInput::ShowPage(ui.PageControl, ui.PageControl->widget(page));
        EXPECT_EQ(ui.GroupBoxMessages->geometry().bottom(), form->height() - 3) << page;
        EXPECT_LE(ui.PanelMain->geometry().bottom(), ui.GroupBoxMessages->y()) << page;
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
    EXPECT_EQ(Settings().ReadString("Settings", "Port", ""), "COM12");
    EXPECT_EQ(Settings().ReadInteger("Settings", "ActivePageIndex", -1), 4);
    EXPECT_FALSE(Settings().ReadBool("Settings", "Connected", true));
    auto form = MakeForm(true);
    EXPECT_EQ(TWindowControls(*form).ComboBoxPort->currentText(), QStringLiteral("COM12"));
    EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 4);
    EXPECT_EQ(form->height(), 618); // the restored page's own height
}

// Values the file's reader refuses (tests/common/IniFileTest) start the
// window on its defaults; the service page is no page without its switch.
TEST_F(ShellTest, UnusableSettingsStartOnPageZeroDisconnected) {
    for (const QByteArray& text :
         {QByteArray("[Settings]\r\nActivePageIndex=4\r\n"), QByteArray("[Settings]\r\nActivePageIndex=7\r\n"),
          QByteArray("[Settings]\r\nActivePageIndex=-1\r\nConnected=yes\r\n"),
          QByteArray("[Settings]\r\nActivePageIndex=x\r\n"),
          QByteArray("\x00\xff\xfe[Sett\nings]\n=\n[Settings\nPort=\n\x01\x02", 26)}) {
        WriteSettings(text);
        auto form = MakeForm(false);
        EXPECT_EQ(TWindowControls(*form).PageControl->currentIndex(), 0) << text.toStdString();
        EXPECT_EQ(TWindowControls(*form).CheckBoxConnect->checkState(), Qt::Unchecked) << text.toStdString();
    }
}

} // namespace

// Every box and radio button takes a click anywhere on its area, as at its
// middle and its far end, well right of the caption.
TEST_F(ShellTest, BoxesTakeAClickAnywhereOnTheirArea) {
    auto form = MakeForm(true);
    const TWindowControls ui(*form);
    // The file boxes ask for a file while their field is empty.
    const QString text = Write(QStringLiteral("text.txt"), "tekst\r\n");
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::Type(ui.EditHorizFile, text);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
    UserInput::Type(ui.EditVertFile, text);
    // The Logo page's boxes wait for a picture.
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(0xFF808080);
    const QString path = Path(QStringLiteral("logo.bmp"));
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
