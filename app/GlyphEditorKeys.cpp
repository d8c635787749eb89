#include "GlyphEditorKeys.h"

#include "GlyphCells.h"
#include "GlyphSetDocument.h"
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

QFrame* NewFocusMark(QWidget* parent, const char* name) {
    auto* mark = new QFrame(parent);
    mark->setObjectName(QString::fromLatin1(name));
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->setStyleSheet(QStringLiteral("border: 2px solid palette(highlight); background: transparent;"));
    return mark;
}

} // namespace

TGlyphEditorKeys::TGlyphEditorKeys(Ui::TFormKR7& ui, TGlyphSetDocument& glyphs, QObject* parent)
    : QObject(parent), ui_(ui), glyphs_(glyphs) {
    CreateMapFocus();
    CreateCharCursor();
    ui_.ImageChars->installEventFilter(this);
    ui_.PanelCharEditor->installEventFilter(this);
    ShowFocus();
}

bool TGlyphEditorKeys::eventFilter(QObject* watched, QEvent* event) {
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
bool TGlyphEditorKeys::ImageCharsKeyDown(const QKeyEvent& key) {
    const QPoint active(glyphs_.ActiveCharCol(), glyphs_.ActiveCharRow());
    const std::optional<QPoint> to = MovedBy(key, active, MAP_COLUMNS, MAP_ROWS);
    if (!to)
        return false;
    glyphs_.SelectGlyph(MAP_COLUMNS * to->y() + to->x());
    return true;
}

// Space and Enter press the cursor's cell as the left button does, with Shift
// as the right button does; keys 0, 1 and 2 paint it black, grey or white.
// Shift with a movement key drags: each cell the cursor comes to takes the
// colour of the last press.
bool TGlyphEditorKeys::PanelCharEditorKeyDown(const QKeyEvent& key) {
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    if (IsPressKey(key)) {
        glyphs_.PressCell(cursor_.x(), cursor_.y(), shift ? TStrokeButton::Right : TStrokeButton::Left);
        return true;
    }
    if (const std::optional<QRgb> level = LevelKey(key)) {
        glyphs_.PaintCell(cursor_.x(), cursor_.y(), *level);
        return true;
    }
    const std::optional<QPoint> to = MovedBy(key, cursor_, GLYPH_WIDTH, GLYPH_HEIGHT);
    if (!to)
        return false;
    const bool moved = *to != cursor_;
    MoveCharCursor(to->x(), to->y());
    if (shift && moved)
        glyphs_.DragToCell(to->x(), to->y());
    return true;
}

// A ring around the map, outside it so that it hides no pixel of the set.
void TGlyphEditorKeys::CreateMapFocus() {
    QWidget* map = ui_.ImageChars;
    mapFocus_ = NewFocusMark(map->parentWidget(), "ShapeCharsFocus");
    mapFocus_->setGeometry(map->geometry().adjusted(-FOCUS_WIDTH, -FOCUS_WIDTH, FOCUS_WIDTH, FOCUS_WIDTH));
    mapFocus_->stackUnder(map);
}

void TGlyphEditorKeys::CreateCharCursor() {
    charCursor_ = NewFocusMark(ui_.PanelCharEditor, "ShapeCharCursor");
    MoveCharCursor(0, 0);
}

void TGlyphEditorKeys::MoveCharCursor(int column, int row) {
    cursor_ = QPoint(column, row);
    charCursor_->setGeometry(CharCellRect(column, row));
    charCursor_->raise();
}

// The ring shows while the map has the keyboard, the cursor on its cell while
// the cells have it.
void TGlyphEditorKeys::ShowFocus() {
    mapFocus_->setVisible(ui_.ImageChars->hasFocus());
    charCursor_->setVisible(ui_.PanelCharEditor->hasFocus());
}
