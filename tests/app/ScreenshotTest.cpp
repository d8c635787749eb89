// Pictures of every page for a person to look at: runs only when
// KR7_SHOTS_DIR names a folder (the window is grabbed offscreen).
#include "Codepage.h"
#include "FakeSeams.h"
#include "Kr7unit1.h"
#include "TextPages.h"
#include "ui_Kr7unit1.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ScreenshotTest, EveryPage) {
    const QString folder = qEnvironmentVariable("KR7_SHOTS_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set KR7_SHOTS_DIR to write the pictures";
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    const auto owned = MakeTestForm(dir.path(), true, dialogs, platform);
    TFormKR7& form = *owned;
    form.show();
    form.TextPages().Horiz().Neon().SetText(ToCp1250(QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ 0123456789")));
    for (int i = 0; i < 20; ++i)
        form.TextPages().Horiz().TimerHorizNeonTimer();
    for (int page = 0; page < form.Form()->PageControl->count(); ++page) {
        form.Form()->PageControl->setCurrentIndex(page);
        if (page == 0)
            for (int i = 0; i < 20; ++i)
                form.TextPages().Horiz().TimerHorizNeonTimer();
        EXPECT_TRUE(form.grab().save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(page))));
    }
}

// The keyboard's marks: the focused scroll bar and the underlined letters.
TEST(ScreenshotTest, FocusedScrollBar) {
    const QString folder = qEnvironmentVariable("KR7_SHOTS_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set KR7_SHOTS_DIR to write the pictures";
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    const auto owned = MakeTestForm(dir.path(), true, dialogs, platform);
    TFormKR7& form = *owned;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Form()->PageControl->setCurrentWidget(form.Form()->TabSheetHorizNeon);
    form.Form()->ScrollBarHorizNeonInterval->setFocus();
    QTest::keyClick(form.Form()->ScrollBarHorizNeonInterval, Qt::Key_Tab); // focus shown once keys are used
    EXPECT_TRUE(form.grab().save(QDir(folder).filePath(QStringLiteral("focus-horiz.png"))));
    const QImage zoomed = form.grab(QRect(0, 0, 390, 260)).toImage().scaled(1170, 780);
    EXPECT_TRUE(zoomed.save(QDir(folder).filePath(QStringLiteral("focus-horiz-zoomed.png"))));
    form.Form()->PageControl->setCurrentWidget(form.Form()->TabSheetService);
    form.Form()->ButtonTurnTextMode->setFocus();
    QTest::keyClick(form.Form()->ButtonTurnTextMode, Qt::Key_Tab);
    const QImage service = form.grab(QRect(0, 360, 390, 160)).toImage().scaled(1170, 480);
    EXPECT_TRUE(service.save(QDir(folder).filePath(QStringLiteral("focus-service-zoomed.png"))));
}
