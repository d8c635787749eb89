// The glyph editor without a mouse: the arrow keys walk the selection through
// the glyph map and a cursor through the cells, and the keys that paint a
// cell go the way a press of a mouse button on it goes.
#include "GlyphEditor.h"
#include "ui_Kr7unit1.h"

#include <QFrame>
#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace {

const int FOCUS_WIDTH = 2; // the focus marks' border
const int MAP_COLUMNS = CHARS_WIDTH / GLYPH_WIDTH;
const int MAP_ROWS = CHARS_HEIGHT / GLYPH_HEIGHT;

// Where a movement key takes a position of a grid of columns x rows: arrows
// by one, Home and End to the ends of the row (with Ctrl to the first and last
// place), Page Up and Page Down to the top and bottom of the column. None for
// other keys.
std::optional<QPoint> MovedBy(const QKeyEvent& key, QPoint at, int columns, int rows) {
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    switch (key.key()) {
    case Qt::Key_Left:
        return QPoint(std::max(at.x() - 1, 0), at.y());
    case Qt::Key_Right:
        return QPoint(std::min(at.x() + 1, columns - 1), at.y());
    case Qt::Key_Up:
        return QPoint(at.x(), std::max(at.y() - 1, 0));
    case Qt::Key_Down:
        return QPoint(at.x(), std::min(at.y() + 1, rows - 1));
    case Qt::Key_Home:
        return QPoint(0, ctrl ? 0 : at.y());
    case Qt::Key_End:
        return QPoint(columns - 1, ctrl ? rows - 1 : at.y());
    case Qt::Key_PageUp:
        return QPoint(at.x(), 0);
    case Qt::Key_PageDown:
        return QPoint(at.x(), rows - 1);
    default:
        return std::nullopt;
    }
}

bool IsPressKey(const QKeyEvent& key) {
    const int code = key.key();
    return code == Qt::Key_Space || code == Qt::Key_Return || code == Qt::Key_Enter;
}

// The level that keys 0, 1 and 2 set, darkest first; none for other keys.
std::optional<QRgb> LevelKey(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_0:
        return LEVEL_BLACK;
    case Qt::Key_1:
        return LEVEL_GREY;
    case Qt::Key_2:
        return LEVEL_WHITE;
    default:
        return std::nullopt;
    }
}

} // namespace

bool TGlyphEditor::KeyEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        ShowFocus();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == ui_.ImageChars)
        return ImageCharsKeyDown(key);
    if (watched == ui_.PanelCharEditor)
        return PanelCharEditorKeyDown(key);
    return false;
}

// A key selects a glyph as a left click on it does.
bool TGlyphEditor::ImageCharsKeyDown(const QKeyEvent& key) {
    const std::optional<QPoint> to = MovedBy(key, {activeCharCol_, activeCharRow_}, MAP_COLUMNS, MAP_ROWS);
    if (!to)
        return false;
    const QPoint middle(GLYPH_WIDTH * to->x() + GLYPH_WIDTH / 2, GLYPH_HEIGHT * to->y() + GLYPH_HEIGHT / 2);
    ImageCharsMouseDown(Qt::LeftButton, middle);
    return true;
}

// Space and Enter press the cursor's cell as the left button does, with Shift
// as the right button does; keys 0, 1 and 2 paint it black, grey or white.
// Shift with a movement key drags: each cell the cursor comes to takes the
// colour of the last press.
bool TGlyphEditor::PanelCharEditorKeyDown(const QKeyEvent& key) {
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    QFrame* cell = CharCell(charCursorCol_, charCursorRow_);
    if (IsPressKey(key)) {
        CharCellMouseDown(cell, shift ? Qt::RightButton : Qt::LeftButton);
        return true;
    }
    if (const std::optional<QRgb> level = LevelKey(key)) {
        PaintColor = *level;
        PaintCharCell(cell, PaintColor);
        return true;
    }
    const std::optional<QPoint> to = MovedBy(key, {charCursorCol_, charCursorRow_}, GLYPH_WIDTH, GLYPH_HEIGHT);
    if (!to)
        return false;
    const bool moved = *to != QPoint(charCursorCol_, charCursorRow_);
    MoveCharCursor(to->x(), to->y());
    if (shift && moved) {
        QFrame* next = CharCell(to->x(), to->y());
        CharCellMouseMove(next, Qt::LeftButton, next->rect().center());
    }
    return true;
}

// A ring around the map, outside it so that it hides no pixel of the set.
void TGlyphEditor::CreateMapFocus() {
    QWidget* map = ui_.ImageChars;
    mapFocus_ = new QFrame(map->parentWidget());
    mapFocus_->setObjectName(QStringLiteral("ShapeCharsFocus"));
    mapFocus_->setAttribute(Qt::WA_TransparentForMouseEvents);
    mapFocus_->setStyleSheet(QStringLiteral("border: 2px solid palette(highlight); background: transparent;"));
    mapFocus_->setGeometry(map->geometry().adjusted(-FOCUS_WIDTH, -FOCUS_WIDTH, FOCUS_WIDTH, FOCUS_WIDTH));
    mapFocus_->stackUnder(map);
}

void TGlyphEditor::CreateCharCursor() {
    charCursor_ = new QFrame(ui_.PanelCharEditor);
    charCursor_->setObjectName(QStringLiteral("ShapeCharCursor"));
    charCursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
    charCursor_->setStyleSheet(QStringLiteral("border: 2px solid palette(highlight); background: transparent;"));
    ui_.PanelCharEditor->installEventFilter(this);
    MoveCharCursor(0, 0);
}

void TGlyphEditor::MoveCharCursor(int column, int row) {
    charCursorCol_ = column;
    charCursorRow_ = row;
    charCursor_->setGeometry(CharCell(column, row)->geometry());
    charCursor_->raise();
}

// The ring shows while the map has the keyboard, the cursor on its cell while
// the cells have it.
void TGlyphEditor::ShowFocus() {
    mapFocus_->setVisible(ui_.ImageChars->hasFocus());
    charCursor_->setVisible(ui_.PanelCharEditor->hasFocus());
}
