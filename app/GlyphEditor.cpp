// The glyph editor: the cells, the frame on the map, the mouse and the
// editor's buttons. Every edit goes to the glyph set's model, which the cells
// and the map then show.
#include "GlyphEditor.h"

#include "GlyphCells.h"
#include "GlyphEditorKeys.h"
#include "GlyphSetDocument.h"
#include "ui_Kr7unit1.h"

#include <QAbstractButton>
#include <QFrame>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int SHAPE_MARGIN = 2;
constexpr int SHAPE_WIDTH = GLYPH_WIDTH + 2 * SHAPE_MARGIN;
constexpr int SHAPE_HEIGHT = GLYPH_HEIGHT + 2 * SHAPE_MARGIN;

const char* const TAG = "tag";

void SetCellColour(QFrame* cell, QRgb colour) {
    QPalette palette = cell->palette();
    const QColor wanted = QColor::fromRgb(colour & 0xFFFFFFu);
    if (palette.color(QPalette::Window) == wanted)
        return;
    palette.setColor(QPalette::Window, wanted);
    cell->setPalette(palette);
}

QFrame* NewCharCell(QWidget* panel, int column, int row) {
    auto* cell = new QFrame(panel);
    cell->setGeometry(CharCellRect(column, row));
    cell->setFrameShape(QFrame::Box);
    cell->setFrameShadow(QFrame::Plain);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    cell->setProperty(TAG, GLYPH_WIDTH * row + column);
    SetCellColour(cell, LEVEL_GREY);
    return cell;
}

bool IsPress(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

} // namespace

TGlyphEditor::TGlyphEditor(Ui::TFormKR7& ui, TGlyphSetDocument& glyphs) : ui_(ui), glyphs_(glyphs) {
    ui_.ImageChars->SetImage(&glyphs_.Image());
    ui_.ButtonCharPaste->setEnabled(false);
    ui_.ImageChars->installEventFilter(this);
    ui_.ShapeActiveChar->installEventFilter(this);
    ui_.ShapeActiveChar->raise();
    CreateCharEditor();
    keys_ = new TGlyphEditorKeys(ui_, glyphs_, this); // lives no longer than the model
    connect(&glyphs_, &TGlyphSetDocument::Changed, this, &TGlyphEditor::LoadCharEditor);
    LoadCharEditor();
}

int TGlyphEditor::ActiveCharCol() const {
    return glyphs_.ActiveCharCol();
}

int TGlyphEditor::ActiveCharRow() const {
    return glyphs_.ActiveCharRow();
}

// ---- Mouse ----------------------------------------------------------------------

bool TGlyphEditor::eventFilter(QObject* watched, QEvent* event) {
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!IsPress(event) && event->type() != QEvent::MouseMove && !release)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    if (watched == ui_.ImageChars) {
        if (IsPress(event))
            ImageCharsMouseDown(mouse->buttons(), pos);
        else if (!release)
            ImageCharsMouseMove(mouse->buttons(), pos);
        return !release;
    }
    if (watched == ui_.ShapeActiveChar) {
        if (event->type() == QEvent::MouseMove)
            ShapeActiveCharMouseMove(mouse->buttons(), pos);
        else if (!release)
            ui_.ImageChars->setFocus(Qt::MouseFocusReason); // the frame stands for the map
        return !release;
    }
    auto* cell = qobject_cast<QFrame*>(watched);
    if (cell == nullptr || cell->parentWidget() != ui_.PanelCharEditor || !cell->property(TAG).isValid())
        return false;
    if (release) {
        if (!(mouse->buttons() & (Qt::LeftButton | Qt::RightButton)))
            glyphs_.EndStroke();
        return false;
    }
    if (IsPress(event))
        CharCellMouseDown(cell, mouse->buttons());
    else
        CharCellMouseMove(cell, mouse->buttons(), pos);
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
    ui_.ShapeActiveChar->resize(SHAPE_WIDTH, SHAPE_HEIGHT);
    ShowActiveChar();
}

void TGlyphEditor::ShowActiveChar() {
    const QPoint image = ui_.ImageChars->pos();
    ui_.ShapeActiveChar->move(image.x() + GLYPH_WIDTH * ActiveCharCol() - SHAPE_MARGIN,
                              image.y() + GLYPH_HEIGHT * ActiveCharRow() - SHAPE_MARGIN);
}

QFrame* TGlyphEditor::CharCell(int column, int row) const {
    return CharCells[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void TGlyphEditor::CharsChanged() {
    ui_.ImageChars->update();
}

void TGlyphEditor::LoadCharEditor() {
    const TGlyphGrid glyph = glyphs_.ActiveGlyph();
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            SetCellColour(CharCell(column, row), glyph.At(column, row));
    ShowActiveChar();
    CharsChanged();
}

void TGlyphEditor::SelectActiveChar(QPoint pos) {
    glyphs_.SelectGlyph(CHARS_WIDTH / GLYPH_WIDTH * (pos.y() / GLYPH_HEIGHT) + pos.x() / GLYPH_WIDTH);
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

void TGlyphEditor::CharCellMouseDown(QFrame* cell, Qt::MouseButtons buttons) {
    const int tag = cell->property(TAG).toInt();
    keys_->MoveCharCursor(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH); // the keys go on from the cell clicked
    if (buttons & Qt::LeftButton)
        glyphs_.PressCell(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH, TStrokeButton::Left);
    else if (buttons & Qt::RightButton)
        glyphs_.PressCell(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH, TStrokeButton::Right);
}

// The cell pressed keeps the mouse for the whole drag, so the cell under the
// pointer is found from the editor panel's geometry.
void TGlyphEditor::CharCellMouseMove(QFrame* cell, Qt::MouseButtons buttons, QPoint pos) {
    if (!(buttons & (Qt::LeftButton | Qt::RightButton)))
        return;
    const QPoint panelPos = cell->mapTo(ui_.PanelCharEditor, pos);
    const int column = CharCellIndexAt(panelPos.x(), GLYPH_WIDTH);
    const int row = CharCellIndexAt(panelPos.y(), GLYPH_HEIGHT);
    if (cell->rect().contains(pos)) {
        const int tag = cell->property(TAG).toInt();
        glyphs_.DragToCell(tag % GLYPH_WIDTH, tag / GLYPH_WIDTH);
        return;
    }
    if (column >= 0 && row >= 0)
        glyphs_.DragToCell(column, row);
}

void TGlyphEditor::SpeedButtonEditorMoveClick(QAbstractButton* sender) {
    const int dx = sender == ui_.SpeedButtonEditorRight ? 1 : sender == ui_.SpeedButtonEditorLeft ? -1 : 0;
    const int dy = sender == ui_.SpeedButtonEditorDown ? 1 : sender == ui_.SpeedButtonEditorUp ? -1 : 0;
    glyphs_.Shift(dx, dy);
}

void TGlyphEditor::SpeedButtonClearBlackClick(QAbstractButton* sender) {
    glyphs_.Clear(static_cast<QRgb>(sender->property(TAG).toLongLong()) & 0xFFFFFFu);
}

void TGlyphEditor::ButtonCharCopyClick() {
    ui_.ButtonCharPaste->setEnabled(true);
    glyphs_.CopyGlyph();
}

void TGlyphEditor::ButtonCharPasteClick() {
    glyphs_.PasteGlyph();
}

void TGlyphEditor::ButtonDefaultCharClick() {
    glyphs_.RestoreDefaultGlyph();
}
