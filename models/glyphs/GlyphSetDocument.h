#pragma once

#include "CharsImage.h"
#include "GlyphEditCommands.h"
#include "GlyphGrid.h"
#include "Glyphs.h"

#include <QImage>
#include <QObject>
#include <QUndoStack>

#include <optional>

// The current glyph set as the glyph editor edits it: the active glyph, the
// stroke being painted, the copy buffer, and every edit as one step of an
// undo stack. The mouse and the keys call the same operations here; the
// editor only draws what this holds.
//
// The set's modified flag (kept by TCharsImage) follows the stack: an edit
// sets it, a load or a save marks the state saved, and undoing or redoing
// back to that state clears it again. Nothing here talks to the device.
class TGlyphSetDocument : public QObject, private TGlyphSetTarget {
    Q_OBJECT
public:
    // At least this many steps can be undone.
    static constexpr int UNDO_LIMIT = 100;

    // chars is the window's current set, charsDefault the built-in one; both
    // outlive the document.
    TGlyphSetDocument(TCharsImage& chars, const QImage& charsDefault, QObject* parent = nullptr);

    const QImage& Image() const { return chars_.Image(); }
    bool Modified() const { return chars_.Modified(); }

    // ---- The active glyph (choosing it is no edit) ----------------------
    int ActiveCode() const { return activeCode_; }
    int ActiveCharCol() const { return activeCode_ & 0xF; }
    int ActiveCharRow() const { return activeCode_ >> 4; }
    TGlyphGrid ActiveGlyph() const { return TGlyphGrid::FromImage(chars_.Image(), activeCode_); }
    void SelectGlyph(int code);

    // ---- Edits of the active glyph, one undo step each ------------------
    // A press on a pixel: chooses the stroke's colour from the button and the
    // pixel (StrokeColour) and paints the pixel. Begins a stroke.
    void PressCell(int column, int row, TStrokeButton button);
    // Paints the pixel in colour, which becomes the stroke's. Begins a stroke.
    void PaintCell(int column, int row, QRgb colour);
    // Paints the pixel in the stroke's colour (black before the first press).
    // Part of the open stroke's step; with none open a step of its own.
    void DragToCell(int column, int row);
    // Closes the stroke (the button went up).
    void EndStroke();
    QRgb StrokeColourNow() const { return strokeColour_; }
    // By one pixel or more; dx > 0 right, dy > 0 down.
    void Shift(int dx, int dy);
    void Clear(QRgb colour);
    // Copying is no edit; the buffer outlives changes of glyph and of set.
    void CopyGlyph();
    bool HasCopy() const { return copyBuffer_.has_value(); }
    void PasteGlyph();
    // The active glyph as the default set has it (a step even when equal).
    void RestoreDefaultGlyph();

    // ---- Edits of the whole set, one undo step each ---------------------
    // A set loaded from a file, or the default set: saved as it stands.
    void LoadSet(const QImage& picture);
    // Codes firstCode to lastCode of source, a 192 x 288 glyph image, replace
    // those of the set; the others stay. The set counts as modified. This is
    // the one step of taking shapes from elsewhere (a font, a recovered set).
    // False, and nothing changes, when source is not 192 x 288.
    bool ReplaceGlyphs(const QImage& source, int firstCode, int lastCode);

    // ---- Saved state and history ----------------------------------------
    // Begins anew with picture: saved, nothing to undo (the start of a run).
    void Reset(const QImage& picture);
    // The set as it stands was saved.
    void MarkSaved();
    QUndoStack& History() { return history_; }
    void Undo();
    void Redo();

signals:
    // The set's pixels changed or the active glyph moved: views redraw.
    void Changed();

private:
    void WriteGlyph(int code, const TGlyphGrid& glyph) override;
    void WriteSet(const QImage& picture) override;
    void EditActiveGlyph(const TGlyphGrid& after);
    void PaintStroke(int column, int row, bool newStroke);
    void FollowSavedState();

    TCharsImage& chars_;
    const QImage& charsDefault_;
    QUndoStack history_;
    int activeCode_ = 0;
    QRgb strokeColour_ = LEVEL_BLACK;
    int stroke_ = 0;
    bool strokeOpen_ = false;
    std::optional<TGlyphGrid> copyBuffer_;
};
