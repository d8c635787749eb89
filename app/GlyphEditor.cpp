// The glyph editor: the cells, the frame on the map, painting and the editor's
// buttons.
#include "GlyphEditor.h"

#include "ui_Kr7unit1.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <optional>

namespace {

constexpr int CELL_PITCH = 13; // neighbouring cells share their one-pixel border
constexpr int CELL_SIZE = 14;
constexpr int SHAPE_MARGIN = 2;
constexpr int SHAPE_WIDTH = GLYPH_WIDTH + 2 * SHAPE_MARGIN;
constexpr int SHAPE_HEIGHT = GLYPH_HEIGHT + 2 * SHAPE_MARGIN;

const char* const TAG = "tag";

void SetCellColour(QFrame* cell, QRgb colour) {
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour & 0xFFFFFFu));
    cell->setPalette(palette);
}

QRgb CellColour(const QFrame* cell) {
    return cell->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
}

QFrame* NewCharCell(QWidget* panel, int column, int row) {
    auto* cell = new QFrame(panel);
    cell->setGeometry(CELL_PITCH * column + 1, CELL_PITCH * row + 1, CELL_SIZE, CELL_SIZE);
    cell->setFrameShape(QFrame::Box);
    cell->setFrameShadow(QFrame::Plain);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    cell->setProperty(TAG, GLYPH_WIDTH * row + column);
    SetCellColour(cell, LEVEL_GREY);
    return cell;
}

// The cell index along one axis under a panel coordinate: the later (right or
// lower) of two cells that share a border lies on top. -1 outside the grid.
int CellIndexAt(int coordinate, int count) {
    if (coordinate < 1 || coordinate > CELL_PITCH * (count - 1) + CELL_SIZE)
        return -1;
    const int index = (coordinate - 1) / CELL_PITCH;
    return index < count ? index : count - 1;
}

// The colour that a press with buttons paints on a cell now of colour current.
std::optional<QRgb> StrokeColour(Qt::MouseButtons buttons, QRgb current) {
    QRgb candidate = 0;
    if (buttons & Qt::LeftButton)
        candidate = LEVEL_WHITE;
    else if (buttons & Qt::RightButton)
        candidate = LEVEL_BLACK;
    else
        return std::nullopt;
    return current == LEVEL_GREY ? candidate : LEVEL_GREY;
}

bool IsPress(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

} // namespace

TGlyphEditor::TGlyphEditor(Ui::TFormKR7& ui, TCharsImage& chars, const QImage& charsDefault)
    : ui_(ui), chars_(chars), charsDefault_(charsDefault) {
    ui_.ImageChars->SetImage(&chars_.Image());
    ui_.ButtonCharPaste->setEnabled(false);
    ui_.ImageChars->installEventFilter(this);
    ui_.ShapeActiveChar->installEventFilter(this);
    ui_.ShapeActiveChar->raise();
    CreateCharEditor();
}

// ---- Mouse ----------------------------------------------------------------------

bool TGlyphEditor::eventFilter(QObject* watched, QEvent* event) {
    if (KeyEvent(watched, event))
        return true;
    if (!IsPress(event) && event->type() != QEvent::MouseMove)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    if (watched == ui_.ImageChars) {
        if (IsPress(event))
            ImageCharsMouseDown(mouse->buttons(), pos);
        else
            ImageCharsMouseMove(mouse->buttons(), pos);
        return true;
    }
    if (watched == ui_.ShapeActiveChar) {
        if (event->type() == QEvent::MouseMove)
            ShapeActiveCharMouseMove(mouse->buttons(), pos);
        else
            ui_.ImageChars->setFocus(Qt::MouseFocusReason); // the frame stands for the map
        return true;
    }
    auto* cell = qobject_cast<QFrame*>(watched);
    if (cell == nullptr || cell->parentWidget() != ui_.PanelCharEditor || !cell->property(TAG).isValid())
        return false;
    if (IsPress(event)) {
        const int tag = cell->property(TAG).toInt();
        MoveCharCursor(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH); // the keys go on from the cell clicked
        CharCellMouseDown(cell, mouse->buttons());
    } else {
        CharCellMouseMove(cell, mouse->buttons(), pos);
    }
    return true;
}

// ---- Glyph editor ------------------------------------------------------------

void TGlyphEditor::CreateCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            QFrame* cell = NewCharCell(ui_.PanelCharEditor, column, row);
            cell->installEventFilter(this);
            cell->show();
            CharCells[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = cell;
        }
    }
    CreateMapFocus();
    CreateCharCursor();
    ShowFocus();
    activeCharCol_ = 0;
    activeCharRow_ = 0;
    ui_.ShapeActiveChar->resize(SHAPE_WIDTH, SHAPE_HEIGHT);
    ShowActiveChar();
}

void TGlyphEditor::ShowActiveChar() {
    const QPoint image = ui_.ImageChars->pos();
    ui_.ShapeActiveChar->move(image.x() + GLYPH_WIDTH * activeCharCol_ - SHAPE_MARGIN,
                              image.y() + GLYPH_HEIGHT * activeCharRow_ - SHAPE_MARGIN);
}

QFrame* TGlyphEditor::CharCell(int column, int row) const {
    return CharCells[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

QPoint TGlyphEditor::ActiveCharPixel(int column, int row) const {
    return {GLYPH_WIDTH * activeCharCol_ + column, GLYPH_HEIGHT * activeCharRow_ + row};
}

void TGlyphEditor::CharsChanged() {
    ui_.ImageChars->update();
}

void TGlyphEditor::LoadCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const QPoint pixel = ActiveCharPixel(column, row);
            SetCellColour(CharCell(column, row), chars_.Pixel(pixel.x(), pixel.y()));
        }
    }
}

void TGlyphEditor::StoreCharEditor() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const QPoint pixel = ActiveCharPixel(column, row);
            chars_.SetPixel(pixel.x(), pixel.y(), CellColour(CharCell(column, row)));
        }
    }
    CharsChanged();
}

void TGlyphEditor::SelectActiveChar(QPoint pos) {
    activeCharCol_ = pos.x() / GLYPH_WIDTH;
    activeCharRow_ = pos.y() / GLYPH_HEIGHT;
    LoadCharEditor();
    ShowActiveChar();
}

void TGlyphEditor::ImageCharsMouseDown(Qt::MouseButtons buttons, QPoint pos) {
    if (!(buttons & Qt::LeftButton) || !QRect(0, 0, CHARS_WIDTH, CHARS_HEIGHT).contains(pos))
        return;
    SelectActiveChar(pos);
}

void TGlyphEditor::ImageCharsMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    const QRect map(0, 0, std::min(ui_.ImageChars->width(), CHARS_WIDTH),
                    std::min(ui_.ImageChars->height(), CHARS_HEIGHT));
    if (!(buttons & Qt::LeftButton) || !map.contains(pos))
        return;
    SelectActiveChar(pos);
}

// The frame holds the mouse while a button pressed on it stays down; once the
// pointer leaves the frame, the moves go on selecting in the map beneath.
void TGlyphEditor::ShapeActiveCharMouseMove(Qt::MouseButtons buttons, QPoint pos) {
    QWidget* shape = ui_.ShapeActiveChar;
    if (shape->rect().contains(pos))
        return;
    const QPoint global = shape->mapToGlobal(pos);
    ImageCharsMouseMove(buttons, ui_.ImageChars->mapFromGlobal(global));
}

void TGlyphEditor::PaintCharCell(QFrame* cell, QRgb colour) {
    const int tag = cell->property(TAG).toInt();
    const QPoint pixel = ActiveCharPixel(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH);
    SetCellColour(cell, colour);
    chars_.SetPixel(pixel.x(), pixel.y(), colour);
    CharsChanged();
}

void TGlyphEditor::CharCellMouseDown(QFrame* cell, Qt::MouseButtons buttons) {
    const std::optional<QRgb> colour = StrokeColour(buttons, CellColour(cell));
    if (!colour)
        return;
    PaintColor = *colour;
    PaintCharCell(cell, PaintColor);
}

// The cell pressed keeps the mouse for the whole drag, so the cell under the
// pointer is found from the editor panel's geometry.
void TGlyphEditor::CharCellMouseMove(QFrame* cell, Qt::MouseButtons buttons, QPoint pos) {
    if (!(buttons & (Qt::LeftButton | Qt::RightButton)))
        return;
    if (cell->rect().contains(pos)) {
        PaintCharCell(cell, PaintColor);
        return;
    }
    const QPoint panelPos = cell->mapTo(ui_.PanelCharEditor, pos);
    const int column = CellIndexAt(panelPos.x(), GLYPH_WIDTH);
    const int row = CellIndexAt(panelPos.y(), GLYPH_HEIGHT);
    if (column < 0 || row < 0)
        return;
    PaintCharCell(CharCell(column, row), PaintColor);
}

void TGlyphEditor::SpeedButtonEditorMoveClick(QAbstractButton* sender) {
    const int dx = sender == ui_.SpeedButtonEditorRight ? 1 : sender == ui_.SpeedButtonEditorLeft ? -1 : 0;
    const int dy = sender == ui_.SpeedButtonEditorDown ? 1 : sender == ui_.SpeedButtonEditorUp ? -1 : 0;
    std::array<std::array<QRgb, GLYPH_HEIGHT>, GLYPH_WIDTH> grid{};
    for (auto& column : grid)
        column.fill(LEVEL_GREY);
    for (int row = 0; row < GLYPH_HEIGHT; ++row) {
        for (int column = 0; column < GLYPH_WIDTH; ++column) {
            const int x = column + dx;
            const int y = row + dy;
            if (x >= 0 && x < GLYPH_WIDTH && y >= 0 && y < GLYPH_HEIGHT)
                grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = CellColour(CharCell(column, row));
        }
    }
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row), grid[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    StoreCharEditor();
}

void TGlyphEditor::SpeedButtonClearBlackClick(QAbstractButton* sender) {
    const QRgb colour = static_cast<QRgb>(sender->property(TAG).toLongLong()) & 0xFFFFFFu;
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row), colour);
    StoreCharEditor();
}

void TGlyphEditor::ButtonCharCopyClick() {
    ui_.ButtonCharPaste->setEnabled(true);
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            CharCopyBuffer[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] =
                CellColour(CharCell(column, row));
}

void TGlyphEditor::ButtonCharPasteClick() {
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row),
                          CharCopyBuffer[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]);
    StoreCharEditor();
}

void TGlyphEditor::ButtonDefaultCharClick() {
    const QPoint origin = ActiveCharPixel(0, 0);
    chars_.CopyRect(charsDefault_, QRect(origin, QSize(GLYPH_WIDTH, GLYPH_HEIGHT)), origin);
    LoadCharEditor();
    CharsChanged();
}
