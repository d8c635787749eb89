// The glyph edit model: painting, strokes, shifts, clears, copy and paste,
// the default glyph, whole-set steps, and undo and redo with the modified flag.
#include "GlyphSetDocument.h"

#include <gtest/gtest.h>

namespace {

class GlyphSetDocumentTest : public ::testing::Test {
protected:
    GlyphSetDocumentTest() {
        NewCharsBitmap(defaults);
        defaults.setPixel(GlyphOrigin(65) + QPoint(3, 4), LEVEL_WHITE);
        document.Reset(defaults);
    }

    // Every pixel of the active glyph.
    void ExpectActiveAll(QRgb colour) const { EXPECT_EQ(document.ActiveGlyph(), TGlyphGrid::Filled(colour)); }
    TGlyphGrid Glyph(int code) const { return TGlyphGrid::FromImage(document.Image(), code); }

    QImage defaults;
    TCharsImage chars;
    TGlyphSetDocument document{chars, defaults};
};

TEST_F(GlyphSetDocumentTest, PressPaintsGreyWhiteOrBlackAndAnyOtherColourGrey) {
    EXPECT_FALSE(document.Modified());
    document.PressCell(0, 0, TStrokeButton::Left);
    document.PressCell(1, 0, TStrokeButton::Right);
    EXPECT_EQ(document.ActiveGlyph().At(0, 0), LEVEL_WHITE);
    EXPECT_EQ(document.ActiveGlyph().At(1, 0), LEVEL_BLACK);
    EXPECT_EQ(chars.Pixel(1, 0), LEVEL_BLACK); // the set itself holds the edit
    EXPECT_TRUE(document.Modified());
    document.PressCell(0, 0, TStrokeButton::Right);
    document.PressCell(1, 0, TStrokeButton::Left);
    EXPECT_EQ(document.ActiveGlyph().At(0, 0), LEVEL_GREY);
    EXPECT_EQ(document.ActiveGlyph().At(1, 0), LEVEL_GREY);
    document.PressCell(12, 0, TStrokeButton::Left); // outside: nothing
    EXPECT_EQ(document.History().count(), 4);
}

TEST_F(GlyphSetDocumentTest, DragPaintsThePressColourAndIsOneStep) {
    document.PaintCell(4, 3, LEVEL_WHITE);
    document.PaintCell(5, 3, LEVEL_BLACK);
    document.PressCell(3, 3, TStrokeButton::Left); // grey: the stroke paints white
    for (int column = 4; column <= 6; ++column)
        document.DragToCell(column, 3);
    document.EndStroke();
    for (int column = 3; column <= 6; ++column)
        EXPECT_EQ(document.ActiveGlyph().At(column, 3), LEVEL_WHITE) << column;
    EXPECT_EQ(document.History().count(), 3);

    document.Undo(); // the whole drag
    EXPECT_EQ(document.ActiveGlyph().At(3, 3), LEVEL_GREY);
    EXPECT_EQ(document.ActiveGlyph().At(4, 3), LEVEL_WHITE);
    EXPECT_EQ(document.ActiveGlyph().At(5, 3), LEVEL_BLACK);
    // A drag after the button went up is a step of its own, in the last colour.
    document.DragToCell(0, 17);
    EXPECT_EQ(document.ActiveGlyph().At(0, 17), LEVEL_WHITE);
    EXPECT_EQ(document.History().count(), 3);
}

TEST_F(GlyphSetDocumentTest, StrokeColourStartsBlack) {
    document.DragToCell(2, 2);
    EXPECT_EQ(document.ActiveGlyph().At(2, 2), LEVEL_BLACK);
}

TEST_F(GlyphSetDocumentTest, ShiftsMoveWithoutWrapping) {
    document.Clear(LEVEL_WHITE);
    document.Shift(1, 0);
    TGlyphGrid expected = TGlyphGrid::Filled(LEVEL_WHITE);
    for (int row = 0; row < 18; ++row)
        expected.Set(0, row, LEVEL_GREY);
    EXPECT_EQ(document.ActiveGlyph(), expected);

    document.Clear(LEVEL_WHITE);
    document.Shift(0, -1);
    expected = TGlyphGrid::Filled(LEVEL_WHITE);
    for (int column = 0; column < 12; ++column)
        expected.Set(column, 17, LEVEL_GREY);
    EXPECT_EQ(document.ActiveGlyph(), expected);

    for (int n = 0; n < 12; ++n)
        document.Shift(-1, 0);
    ExpectActiveAll(LEVEL_GREY);
}

TEST_F(GlyphSetDocumentTest, CopyPasteAndDefaultGlyph) {
    document.SelectGlyph(65);
    document.CopyGlyph();
    EXPECT_TRUE(document.HasCopy());
    EXPECT_FALSE(document.Modified()); // copying and choosing are no edits
    document.SelectGlyph(66);
    document.PasteGlyph();
    EXPECT_EQ(Glyph(66), Glyph(65));
    EXPECT_TRUE(document.Modified());

    // The default glyph marks the set modified even when nothing changes.
    document.MarkSaved();
    document.SelectGlyph(65);
    document.RestoreDefaultGlyph();
    EXPECT_TRUE(document.Modified());
    document.Clear(LEVEL_BLACK);
    document.RestoreDefaultGlyph();
    EXPECT_EQ(Glyph(65), TGlyphGrid::FromImage(defaults, 65));
    EXPECT_EQ(Glyph(66), TGlyphGrid::FromImage(defaults, 65)); // only the active glyph
}

TEST_F(GlyphSetDocumentTest, UndoBackToTheSavedStateClearsModified) {
    document.SelectGlyph(0x21);
    document.Clear(LEVEL_WHITE);
    document.MarkSaved();
    document.Shift(1, 0);
    document.PressCell(5, 5, TStrokeButton::Left);
    EXPECT_TRUE(document.Modified());
    document.Undo();
    EXPECT_TRUE(document.Modified());
    document.Undo();
    EXPECT_FALSE(document.Modified());
    ExpectActiveAll(LEVEL_WHITE);
    document.Undo(); // before the save: modified again
    EXPECT_TRUE(document.Modified());
    ExpectActiveAll(LEVEL_GREY);
    document.Redo();
    EXPECT_FALSE(document.Modified());
    document.Redo();
    document.Redo();
    EXPECT_EQ(document.ActiveGlyph().At(5, 5), LEVEL_GREY); // a press on white
    EXPECT_EQ(document.ActiveGlyph().At(0, 5), LEVEL_GREY); // the shift
    EXPECT_TRUE(document.Modified());
}

TEST_F(GlyphSetDocumentTest, UndoShowsTheGlyphItChanges) {
    document.SelectGlyph(10);
    document.Clear(LEVEL_BLACK);
    document.SelectGlyph(200);
    document.Undo();
    EXPECT_EQ(document.ActiveCode(), 10);
    EXPECT_EQ(Glyph(10), TGlyphGrid::Filled(LEVEL_GREY));
    document.SelectGlyph(0);
    document.Redo();
    EXPECT_EQ(document.ActiveCode(), 10);
    EXPECT_EQ(Glyph(10), TGlyphGrid::Filled(LEVEL_BLACK));
}

TEST_F(GlyphSetDocumentTest, LoadedSetIsSavedAndUndoesToTheEditsBefore) {
    document.SelectGlyph(7);
    document.Clear(LEVEL_BLACK);
    QImage loaded;
    NewCharsBitmap(loaded);
    loaded.fill(LEVEL_WHITE);
    document.LoadSet(loaded);
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.ActiveCode(), 7); // the active glyph stays
    ExpectActiveAll(LEVEL_WHITE);
    document.Undo();
    EXPECT_TRUE(document.Modified());
    ExpectActiveAll(LEVEL_BLACK);
    document.Redo();
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.Image().pixel(0, 0) & 0xFFFFFFu, LEVEL_WHITE);
}

TEST_F(GlyphSetDocumentTest, ReplaceGlyphsTakesOnlyTheRangeInOneStep) {
    QImage source;
    NewCharsBitmap(source);
    source.fill(LEVEL_BLACK);
    EXPECT_TRUE(document.ReplaceGlyphs(source, 1, 111));
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(Glyph(0), TGlyphGrid::Filled(LEVEL_GREY));
    EXPECT_EQ(Glyph(1), TGlyphGrid::Filled(LEVEL_BLACK));
    EXPECT_EQ(Glyph(111), TGlyphGrid::Filled(LEVEL_BLACK));
    EXPECT_EQ(Glyph(112), TGlyphGrid::Filled(LEVEL_GREY));
    EXPECT_EQ(document.History().count(), 1);
    document.Undo();
    EXPECT_EQ(document.Image(), defaults);
    EXPECT_FALSE(document.Modified());

    EXPECT_FALSE(document.ReplaceGlyphs(source.copy(0, 0, 192, 287), 1, 111));
    EXPECT_EQ(document.History().count(), 1);
}

TEST_F(GlyphSetDocumentTest, AHundredStepsUndoToTheStart) {
    for (int n = 0; n < TGlyphSetDocument::UNDO_LIMIT; ++n) {
        document.SelectGlyph(n);
        document.PressCell(n % 12, n % 18, TStrokeButton::Right);
    }
    while (document.History().canUndo())
        document.Undo();
    EXPECT_EQ(document.Image(), defaults);
    EXPECT_FALSE(document.Modified());
}

} // namespace
