#include "GlyphSetDocument.h"

#include <benchmark/benchmark.h>

// The glyph edit model under the mouse: a drag over every cell of a glyph
// (one undo step that each move extends), and undo plus redo of a whole-set
// step (a load).
namespace {

void BM_DragOverAGlyph(benchmark::State& state) {
    QImage defaults;
    NewCharsBitmap(defaults);
    TCharsImage chars;
    TGlyphSetDocument document(chars, defaults);
    document.Reset(defaults);
    for (auto _ : state) {
        document.PressCell(0, 0, TStrokeButton::Left);
        for (int row = 0; row < 18; ++row)
            for (int column = 0; column < 12; ++column)
                document.DragToCell(column, row);
        document.EndStroke();
    }
    state.SetItemsProcessed(state.iterations() * 216);
}
BENCHMARK(BM_DragOverAGlyph);

void BM_UndoRedoALoadedSet(benchmark::State& state) {
    QImage defaults;
    NewCharsBitmap(defaults);
    QImage loaded = defaults.copy();
    loaded.fill(LEVEL_WHITE);
    TCharsImage chars;
    TGlyphSetDocument document(chars, defaults);
    document.Reset(defaults);
    document.LoadSet(loaded);
    for (auto _ : state) {
        document.Undo();
        document.Redo();
    }
}
BENCHMARK(BM_UndoRedoALoadedSet);

} // namespace
