#pragma once

#include "GlyphGrid.h"

#include <QImage>
#include <QUndoCommand>

// Where the undo steps of the glyph set write: the document implements it.
class TGlyphSetTarget {
public:
    virtual ~TGlyphSetTarget() = default;
    // Gives glyph code these pixels and makes it the active glyph.
    virtual void WriteGlyph(int code, const TGlyphGrid& glyph) = 0;
    // Makes picture (192 x 288) the whole set.
    virtual void WriteSet(const QImage& picture) = 0;
};

// One edit of one glyph: its pixels before and after. Undo and redo make that
// glyph the active one, so the user sees what changed.
class TGlyphEditCommand : public QUndoCommand {
public:
    TGlyphEditCommand(TGlyphSetTarget& target, int code, const TGlyphGrid& before, const TGlyphGrid& after);

    void undo() override;
    void redo() override;

protected:
    TGlyphSetTarget& target_;
    int code_ = 0;
    TGlyphGrid before_;
    TGlyphGrid after_;
};

// The cells one press paints and the drag after it paints: the steps of one
// stroke merge into the step of its press.
class TGlyphStrokeCommand : public TGlyphEditCommand {
public:
    static constexpr int STROKE_ID = 1;

    TGlyphStrokeCommand(TGlyphSetTarget& target, int code, const TGlyphGrid& before, const TGlyphGrid& after,
                        int stroke);

    int id() const override { return STROKE_ID; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    int stroke_ = 0;
};

// A change of the whole set (a load, the default set, glyphs taken from
// another set): the set before and after.
class TGlyphSetCommand : public QUndoCommand {
public:
    TGlyphSetCommand(TGlyphSetTarget& target, const QImage& before, const QImage& after);

    void undo() override;
    void redo() override;

private:
    TGlyphSetTarget& target_;
    QImage before_;
    QImage after_;
};
