#pragma once

#include <QMargins>
#include <QRect>

class QFrame;
class QScrollArea;
class QTabWidget;
class QWidget;

// The client size a window of the wanted height may take on a screen's free
// area (frame is the desktop's border around the client area): the designed
// height where it fits, else the tallest that does.
int FittedHeight(const QRect& available, const QMargins& frame, int wantedHeight);

// The top left corner of a window's frame moved the least so that the whole
// frame lies on the free area (up when it grew past the bottom edge).
QPoint PlaceOnScreen(const QRect& available, const QRect& frame);

// The page control inside its panel, held by a scroll area: the pages keep
// their designed size and, when the window cannot give them that room, the
// area scrolls instead of cutting them off.
class TPageArea {
public:
    TPageArea(QFrame& panel, QTabWidget& pages);

    // Lays the panel out at panelHeight for pages designed for
    // designedPanelHeight; returns the width the scroll bar then takes.
    int Layout(int designedPanelHeight, int panelHeight);
    QScrollArea& Scroll() { return *scroll_; }

private:
    QFrame& panel_;
    QTabWidget& pages_;
    QScrollArea* scroll_ = nullptr; // a child of the panel
    int margin_ = 0;
    int pagesWidth_ = 0;
};

// The window's free area on its screen and the desktop's frame around it
// (none known before the window is first shown).
QRect AvailableArea(const QWidget& window);
QMargins FrameMargins(const QWidget& window);
