#include "GlyphEditCommands.h"

TGlyphEditCommand::TGlyphEditCommand(TGlyphSetTarget& target, int code, const TGlyphGrid& before,
                                     const TGlyphGrid& after)
    : target_(target), code_(code), before_(before), after_(after) {}

void TGlyphEditCommand::undo() {
    target_.WriteGlyph(code_, before_);
}

void TGlyphEditCommand::redo() {
    target_.WriteGlyph(code_, after_);
}

TGlyphStrokeCommand::TGlyphStrokeCommand(TGlyphSetTarget& target, int code, const TGlyphGrid& before,
                                         const TGlyphGrid& after, int stroke)
    : TGlyphEditCommand(target, code, before, after), stroke_(stroke) {}

bool TGlyphStrokeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const TGlyphStrokeCommand*>(other);
    if (next == nullptr || next->stroke_ != stroke_ || next->code_ != code_)
        return false;
    after_ = next->after_;
    return true;
}

TGlyphSetCommand::TGlyphSetCommand(TGlyphSetTarget& target, const QImage& before, const QImage& after)
    : target_(target), before_(before), after_(after) {}

void TGlyphSetCommand::undo() {
    target_.WriteSet(before_);
}

void TGlyphSetCommand::redo() {
    target_.WriteSet(after_);
}
