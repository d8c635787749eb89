#include "GlyphSetDocument.h"

#include <QPainter>

#include <algorithm>

TGlyphSetDocument::TGlyphSetDocument(TCharsImage& chars, const QImage& charsDefault, QObject* parent)
    : QObject(parent), chars_(chars), charsDefault_(charsDefault) {
    history_.setUndoLimit(UNDO_LIMIT);
    connect(&history_, &QUndoStack::indexChanged, this, &TGlyphSetDocument::FollowSavedState);
    connect(&history_, &QUndoStack::cleanChanged, this, &TGlyphSetDocument::FollowSavedState);
}

// Every step writes pixels, which marks the set modified; back at the saved
// state the mark goes.
void TGlyphSetDocument::FollowSavedState() {
    if (history_.isClean())
        chars_.ClearModified();
}

void TGlyphSetDocument::SelectGlyph(int code) {
    EndStroke();
    activeCode_ = std::clamp(code, 0, 255);
    emit Changed();
}

// ---- Edits of the active glyph ----------------------------------------------

void TGlyphSetDocument::EditActiveGlyph(const TGlyphGrid& after) {
    EndStroke();
    history_.push(new TGlyphEditCommand(*this, activeCode_, ActiveGlyph(), after));
}

void TGlyphSetDocument::PaintStroke(int column, int row, bool newStroke) {
    if (!TGlyphGrid::Contains(column, row))
        return;
    if (newStroke || !strokeOpen_) {
        ++stroke_;
        strokeOpen_ = true;
    }
    const TGlyphGrid before = ActiveGlyph();
    TGlyphGrid after = before;
    after.Set(column, row, strokeColour_);
    history_.push(new TGlyphStrokeCommand(*this, activeCode_, before, after, stroke_));
}

void TGlyphSetDocument::PressCell(int column, int row, TStrokeButton button) {
    if (!TGlyphGrid::Contains(column, row))
        return;
    strokeColour_ = StrokeColour(button, ActiveGlyph().At(column, row));
    PaintStroke(column, row, true);
}

void TGlyphSetDocument::PaintCell(int column, int row, QRgb colour) {
    strokeColour_ = colour & 0xFFFFFFu;
    PaintStroke(column, row, true);
}

void TGlyphSetDocument::DragToCell(int column, int row) {
    PaintStroke(column, row, false);
}

void TGlyphSetDocument::EndStroke() {
    strokeOpen_ = false;
}

void TGlyphSetDocument::Shift(int dx, int dy) {
    EditActiveGlyph(ActiveGlyph().Shifted(dx, dy));
}

void TGlyphSetDocument::Clear(QRgb colour) {
    EditActiveGlyph(TGlyphGrid::Filled(colour));
}

void TGlyphSetDocument::CopyGlyph() {
    copyBuffer_ = ActiveGlyph();
}

void TGlyphSetDocument::PasteGlyph() {
    if (copyBuffer_)
        EditActiveGlyph(*copyBuffer_);
}

void TGlyphSetDocument::RestoreDefaultGlyph() {
    EditActiveGlyph(TGlyphGrid::FromImage(charsDefault_, activeCode_));
}

// ---- Edits of the whole set --------------------------------------------------

void TGlyphSetDocument::LoadSet(const QImage& picture) {
    EndStroke();
    history_.push(new TGlyphSetCommand(*this, chars_.Image(), picture.convertToFormat(QImage::Format_RGB32)));
    MarkSaved();
}

bool TGlyphSetDocument::ReplaceGlyphs(const QImage& source, int firstCode, int lastCode) {
    if (source.width() != CHARS_WIDTH || source.height() != CHARS_HEIGHT)
        return false;
    EndStroke();
    const QImage pixels = source.convertToFormat(QImage::Format_RGB32);
    QImage after = chars_.Image().copy();
    {
        QPainter painter(&after);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int code = std::max(firstCode, 0); code <= std::min(lastCode, 255); ++code) {
            const QRect cell(GlyphOrigin(code), QSize(GLYPH_WIDTH, GLYPH_HEIGHT));
            painter.drawImage(cell.topLeft(), pixels, cell);
        }
    }
    history_.push(new TGlyphSetCommand(*this, chars_.Image(), after));
    return true;
}

// ---- Saved state and history ------------------------------------------------

void TGlyphSetDocument::Reset(const QImage& picture) {
    EndStroke();
    history_.clear();
    WriteSet(picture);
    MarkSaved();
}

void TGlyphSetDocument::MarkSaved() {
    history_.setClean();
    chars_.ClearModified();
}

void TGlyphSetDocument::Undo() {
    EndStroke();
    history_.undo();
}

void TGlyphSetDocument::Redo() {
    EndStroke();
    history_.redo();
}

void TGlyphSetDocument::WriteGlyph(int code, const TGlyphGrid& glyph) {
    activeCode_ = code;
    const QPoint origin = GlyphOrigin(code);
    for (int row = 0; row < GLYPH_HEIGHT; ++row)
        for (int column = 0; column < GLYPH_WIDTH; ++column)
            chars_.SetPixel(origin.x() + column, origin.y() + row, glyph.At(column, row));
    emit Changed();
}

void TGlyphSetDocument::WriteSet(const QImage& picture) {
    chars_.Assign(picture);
    emit Changed();
}
