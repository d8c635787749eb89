#include "shell/ScreenFit.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>

int FittedHeight(const QRect& available, const QMargins& frame, int wantedHeight) {
    const int room = available.height() - frame.top() - frame.bottom();
    return std::max(1, std::min(wantedHeight, room));
}

QPoint PlaceOnScreen(const QRect& available, const QRect& frame) {
    QPoint corner = frame.topLeft();
    if (frame.right() > available.right())
        corner.setX(available.right() - frame.width() + 1);
    if (frame.bottom() > available.bottom())
        corner.setY(available.bottom() - frame.height() + 1);
    corner.setX(std::max(corner.x(), available.left()));
    corner.setY(std::max(corner.y(), available.top()));
    return corner;
}

TPageArea::TPageArea(QFrame& panel, QTabWidget& pages)
    : panel_(panel), pages_(pages), margin_(pages.x()), pagesWidth_(pages.width()) {
    scroll_ = new QScrollArea(&panel_);
    scroll_->setObjectName(QStringLiteral("ScrollPages"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setGeometry(pages_.geometry());
    scroll_->setWidget(&pages_);
    scroll_->viewport()->setAutoFillBackground(false);
}

int TPageArea::Layout(int designedPanelHeight, int panelHeight) {
    const int pagesHeight = designedPanelHeight - 2 * margin_;
    const int shownHeight = panelHeight - 2 * margin_;
    const bool scrolls = shownHeight < pagesHeight;
    const int bar = scrolls ? scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_) : 0;
    scroll_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    panel_.resize(pagesWidth_ + 2 * margin_ + bar, panelHeight);
    scroll_->setGeometry(margin_, margin_, pagesWidth_ + bar, shownHeight);
    pages_.resize(pagesWidth_, pagesHeight);
    return bar;
}

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
}

QMargins FrameMargins(const QWidget& window) {
    if (!window.isVisible())
        return {};
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}
