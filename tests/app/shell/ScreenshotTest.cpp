// The window's layout on every page: its designed size, and the log under
// the page control. With KR7_SHOTS_DIR naming a folder the pages are also
// written there as pictures for a person to look at (grabbed offscreen).
#include "Codepage.h"
#include "FakeSeams.h"
#include "UserInput.h"
#include "shell/Kr7unit1.h"
#include "text/TextPages.h"

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int CLIENT_WIDTH = 390;
constexpr std::array<int, 5> CLIENT_HEIGHTS = {506, 424, 621, 658, 618};

QRect RectInWindow(const QWidget& window, const QWidget& child) {
    return QRect(child.mapTo(&window, QPoint(0, 0)), child.size());
}

void SavePicture(const QImage& picture, const QString& name) {
    const QString folder = qEnvironmentVariable("KR7_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    EXPECT_TRUE(picture.save(QDir(folder).filePath(name))) << name.toStdString();
}

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        owned_ = MakeTestForm(dir_.path(), true, dialogs_, platform_);
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    TFormKR7& form() { return *owned_; }

    template <typename T> T* Control(const char* name) {
        T* control = form().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QTemporaryDir dir_;
    TFakeDialogs dialogs_;
    TFakePlatform platform_;
    std::unique_ptr<TFormKR7> owned_;
};

} // namespace

TEST_F(ScreenshotTest, EveryPageHasItsSizeAndTheLogBelowThePages) {
    form().TextPages().Horiz().Neon().SetText(ToCp1250(QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ 0123456789")));
    for (int i = 0; i < 20; ++i)
        form().TextPages().Horiz().TimerHorizNeonTimer();
    auto* pages = Control<QTabWidget>("PageControl");
    auto* messages = Control<QGroupBox>("GroupBoxMessages");
    ASSERT_TRUE(pages && messages);
    ASSERT_EQ(pages->count(), static_cast<int>(CLIENT_HEIGHTS.size()));
    for (int page = 0; page < pages->count(); ++page) {
        UserInput::ShowPage(pages, pages->widget(page));
        ASSERT_EQ(pages->currentIndex(), page);
        if (page == 0)
            for (int i = 0; i < 20; ++i)
                form().TextPages().Horiz().TimerHorizNeonTimer();
        EXPECT_EQ(form().size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHTS[static_cast<std::size_t>(page)]))
            << "page " << page;
        const QRect log = RectInWindow(form(), *messages);
        EXPECT_TRUE(form().rect().contains(log)) << "page " << page;
        EXPECT_GT(log.top(), RectInWindow(form(), *pages).bottom()) << "page " << page;
        EXPECT_TRUE(messages->isVisible()) << "page " << page;
        SavePicture(form().grab().toImage(), QStringLiteral("page%1.png").arg(page));
    }
}

// The keyboard's marks: the focused scroll bar and the underlined letters.
TEST_F(ScreenshotTest, FocusedScrollBar) {
    if (qEnvironmentVariableIsEmpty("KR7_SHOTS_DIR"))
        GTEST_SKIP() << "set KR7_SHOTS_DIR to write the pictures";
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    auto* pages = Control<QTabWidget>("PageControl");
    auto* interval = Control<QScrollBar>("ScrollBarHorizNeonInterval");
    auto* textMode = Control<QAbstractButton>("ButtonTurnTextMode");
    ASSERT_TRUE(pages && interval && textMode);
    UserInput::ShowPage(pages, Control<QWidget>("TabSheetHorizNeon"));
    interval->setFocus();
    QTest::keyClick(interval, Qt::Key_Tab); // focus shown once keys are used
    SavePicture(form().grab().toImage(), QStringLiteral("focus-horiz.png"));
    SavePicture(form().grab(QRect(0, 0, 390, 260)).toImage().scaled(1170, 780),
                QStringLiteral("focus-horiz-zoomed.png"));
    UserInput::ShowPage(pages, Control<QWidget>("TabSheetService"));
    textMode->setFocus();
    QTest::keyClick(textMode, Qt::Key_Tab);
    SavePicture(form().grab(QRect(0, 360, 390, 160)).toImage().scaled(1170, 480),
                QStringLiteral("focus-service-zoomed.png"));
}
