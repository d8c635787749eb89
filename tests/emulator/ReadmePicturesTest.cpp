// The pictures of the README, made by the program itself: with KR7_SHOTS_DIR
// naming a folder (tools/make-screenshots.sh sets it to docs/), each page of
// the window with something on it, and the emulated display showing a ticker
// and a programmed logo. Skipped otherwise.
#include "Device.h"
#include "FakeSeams.h"
#include "PictureFile.h"
#include "PtyPort.h"
#include "Session.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "logo/LogoPage.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A shop sign: a black frame and a word on white, which the logo page
// reduces to the display's levels.
QImage SignPicture() {
    QImage picture(180, 90, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawRoundedRect(QRect(4, 4, 172, 82), 12, 12);
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 34, QFont::Bold));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("KR-7"));
    return picture;
}

} // namespace

TEST(ReadmePicturesTest, PagesAndTheEmulatedDisplay) {
    const QString folder = qEnvironmentVariable("KR7_SHOTS_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set KR7_SHOTS_DIR to write the pictures";
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    TPtyPort pty{3};
    auto form = MakeTestForm(dir.path(), true, dialogs, platform);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const TWindowControls ui(*form);
    QString notice;
    TEmulatorSession emulator(PowerOnState(dir.filePath(QStringLiteral("state.bin")), notice),
                              dir.filePath(QStringLiteral("state.bin")), 0);
    const auto save = [&folder](const QImage& picture, const char* name) {
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QString::fromLatin1(name)))) << name;
    };

    UserInput::Type(ui.ComboBoxPort, QString::fromStdString(pty.Name()));
    UserInput::SetChecked(ui.CheckBoxConnect, true);
    emulator.Feed(pty.Take());

    // The logo: imported, placed at the top centre, generated and programmed.
    const QString sign = dir.filePath(QStringLiteral("sign.bmp"));
    ASSERT_TRUE(SaveBmp32File(SignPicture(), sign));
    UserInput::ShowPage(ui.PageControl, ui.TabSheetLogo);
    dialogs.openAnswers.push_back(sign);
    UserInput::Click(ui.ButtonLogoLoad);
    UserInput::SetValue(ui.ScrollBarLogoWidth, 180);
    UserInput::SetValue(ui.ScrollBarLogoPosX, 90);
    UserInput::SetValue(ui.ScrollBarLogoPosY, 36);
    UserInput::Click(ui.ButtonLogoCalculate);
    UserInput::Click(ui.ButtonLogoProgram);
    emulator.Feed(pty.Take());
    save(form->grab().toImage(), "logo-page.png");

    // The ticker below the logo, and the vertical pages' text.
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("Zapraszamy! Promocja tygodnia: -20% na wszystko   "));
    UserInput::SetValue(ui.ScrollBarHorizNeonY, 12);
    save(form->grab().toImage(), "horiz-page.png");
    UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
    UserInput::Type(ui.MemoVertNeon, QStringLiteral("Otwarte codziennie\nod 8:00 do 20:00\nZapraszamy!"));
    save(form->grab().toImage(), "vert-page.png");

    UserInput::ShowPage(ui.PageControl, ui.TabSheetPreview);
    for (int i = 0; i < 30; ++i)
        form->TextPages().Horiz().TimerHorizNeonTimer();
    emulator.Feed(pty.Take());
    save(form->grab().toImage(), "preview-page.png");
    const QImage display = emulator.Device().Render();
    save(display.scaled(display.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation), "emulator-logo.png");

    // The glyph editor with one of the logo's tiles chosen.
    UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
    save(form->grab().toImage(), "service-page.png");
}
