// The window on a screen too small for its design (a 1920 x 1080 screen at
// 150 % or 200 %): it stays on the screen and its page area scrolls. Run by
// ctest at QT_SCALE_FACTOR 1.5 and 2 besides the ordinary run.
#include "shell/ScreenFit.h"

#include "FakeSeams.h"
#include "shell/Kr7unit1.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 5> DESIGNED_HEIGHTS = {506, 424, 621, 658, 618};

// The lowest edge of the page's controls, in the page's coordinates.
int ContentBottom(const QWidget& page) {
    int bottom = 0;
    for (const QWidget* control : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisibleTo(&page))
            bottom = std::max(bottom, control->geometry().bottom());
    return bottom;
}

} // namespace

TEST(ScreenFitTest, TheDesignWhereItFitsTheRoomLeftWhereNot) {
    const QRect screen(0, 0, 960, 540);
    EXPECT_EQ(FittedHeight(screen, QMargins(1, 30, 1, 1), 424), 424);
    EXPECT_EQ(FittedHeight(screen, QMargins(1, 30, 1, 1), 658), 509);
    // A grown window moves up so its bottom edge stays on the screen.
    EXPECT_EQ(PlaceOnScreen(screen, QRect(100, 200, 392, 540)), QPoint(100, 0));
    EXPECT_EQ(PlaceOnScreen(screen, QRect(100, 20, 392, 460)), QPoint(100, 20));
    EXPECT_EQ(PlaceOnScreen(QRect(0, 0, 1280, 720), QRect(1100, -40, 392, 400)), QPoint(888, 0));
}

TEST(ScreenFitTest, EveryPageStaysOnTheScreenAndCanBeScrolledToItsEnd) {
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    auto form = MakeTestForm(dir.path(), true, dialogs, platform);
    form->move(200, 300);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl"));
    auto* scroll = form->findChild<QScrollArea*>(QStringLiteral("ScrollPages"));
    ASSERT_TRUE(pages && scroll);
    const QRect available = form->screen()->availableGeometry();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QTest::qWait(1);
        const std::string page = pages->widget(i)->objectName().toStdString();
        EXPECT_TRUE(available.contains(form->frameGeometry())) << page;
        const int designed = DESIGNED_HEIGHTS[static_cast<std::size_t>(i)];
        if (designed <= available.height()) {
            EXPECT_EQ(form->size(), QSize(390, designed)) << page;
            EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0) << page;
            continue;
        }
        EXPECT_EQ(form->frameGeometry().height(), available.height()) << page;
        QScrollBar* bar = scroll->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0) << page;
        bar->setValue(bar->maximum());
        QWidget* content = pages->currentWidget();
        const QPoint end = content->mapTo(scroll->viewport(), QPoint(0, ContentBottom(*content)));
        EXPECT_LT(end.y(), scroll->viewport()->height()) << page << ": the last control cannot be reached";
    }
}
