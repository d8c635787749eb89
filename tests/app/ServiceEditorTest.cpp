// The glyph editor of the service page: choosing the active glyph, painting
// its cells, shifting, clearing, copy and paste, and restoring the default.
#include "ServiceFixture.h"

#include <QToolButton>

namespace {

class ServiceEditorTest : public ServiceFixture {
protected:
    // Every cell and pixel of the active glyph has colour.
    void ExpectGlyphAll(QRgb colour) {
        for (int row = 0; row < 18; ++row)
            for (int column = 0; column < 12; ++column) {
                ASSERT_EQ(CellColour(Cell(column, row)), colour) << column << "," << row;
                ASSERT_EQ(GlyphPixel(column, row), colour) << column << "," << row;
            }
    }
    void ExpectColumn(int column, QRgb colour) {
        for (int row = 0; row < 18; ++row)
            ASSERT_EQ(GlyphPixel(column, row), colour) << column << "," << row;
    }
    void ExpectRow(int row, QRgb colour) {
        for (int column = 0; column < 12; ++column)
            ASSERT_EQ(GlyphPixel(column, row), colour) << column << "," << row;
    }
};

TEST_F(ServiceEditorTest, CellsFormTheGridAndStartWithGlyphZero) {
    for (int row = 0; row < 18; ++row)
        for (int column = 0; column < 12; ++column) {
            QFrame* cell = Cell(column, row);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->geometry(), QRect(13 * column + 1, 13 * row + 1, 14, 14));
            EXPECT_EQ(cell->property("tag").toInt(), 12 * row + column);
        }
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 0);
    EXPECT_EQ(form->Service().Editor().ActiveCharRow(), 0);
    ExpectGlyphAll(LEVEL_GREY);
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_FALSE(Find("ButtonCharPaste")->isEnabled());
    EXPECT_EQ(Find<TImageView>("ImageChars")->Image(), &form->Chars().Image());
}

TEST_F(ServiceEditorTest, ClicksPaintGreyCellsAndTurnColouredCellsGrey) {
    ClickCell(0, 0, Qt::LeftButton);
    EXPECT_EQ(CellColour(Cell(0, 0)), LEVEL_WHITE);
    EXPECT_EQ(GlyphPixel(0, 0), LEVEL_WHITE);
    EXPECT_TRUE(form->Chars().Modified());
    ClickCell(1, 0, Qt::RightButton);
    EXPECT_EQ(CellColour(Cell(1, 0)), LEVEL_BLACK);
    EXPECT_EQ(GlyphPixel(1, 0), LEVEL_BLACK);

    ClickCell(0, 0, Qt::RightButton); // white, either button -> grey
    ClickCell(1, 0, Qt::LeftButton);  // black -> grey
    EXPECT_EQ(GlyphPixel(0, 0), LEVEL_GREY);
    EXPECT_EQ(GlyphPixel(1, 0), LEVEL_GREY);
    ClickCell(2, 0, Qt::MiddleButton);
    EXPECT_EQ(GlyphPixel(2, 0), LEVEL_GREY);
}

TEST_F(ServiceEditorTest, DragPaintsEveryCellPassedWithThePressColour) {
    ClickCell(4, 3, Qt::LeftButton);  // white
    ClickCell(5, 3, Qt::RightButton); // black
    QFrame* first = Cell(3, 3);
    Press(first, QPoint(7, 7));
    for (int column = 4; column <= 6; ++column)
        DragTo(first, Cell(column, 3), QPoint(7, 7));
    Release(first, QPoint(7, 7));
    for (int column = 3; column <= 6; ++column) {
        EXPECT_EQ(CellColour(Cell(column, 3)), LEVEL_WHITE) << column;
        EXPECT_EQ(GlyphPixel(column, 3), LEVEL_WHITE) << column;
    }
    // A right-button drag down a column paints black; outside the grid nothing.
    QFrame* top = Cell(0, 0);
    Press(top, QPoint(7, 7), Qt::RightButton);
    DragTo(top, Cell(0, 17), QPoint(7, 7), Qt::RightButton);
    DragTo(top, Find("PanelCharEditor"), QPoint(157, 236), Qt::RightButton);
    EXPECT_EQ(GlyphPixel(0, 0), LEVEL_BLACK);
    EXPECT_EQ(GlyphPixel(0, 17), LEVEL_BLACK);
    EXPECT_EQ(GlyphPixel(11, 17), LEVEL_GREY);
    // Moves without a held button paint nothing.
    DragTo(top, Cell(1, 1), QPoint(7, 7), Qt::NoButton);
    EXPECT_EQ(GlyphPixel(1, 1), LEVEL_GREY);
}

TEST_F(ServiceEditorTest, ShiftsMoveOnePixelWithoutWrapping) {
    Click("SpeedButtonClearWhite");
    Click("SpeedButtonEditorRight");
    ExpectColumn(0, LEVEL_GREY);
    for (int column = 1; column < 12; ++column)
        ExpectColumn(column, LEVEL_WHITE);

    Click("SpeedButtonClearWhite");
    Click("SpeedButtonEditorUp");
    ExpectRow(17, LEVEL_GREY);
    ExpectRow(16, LEVEL_WHITE);

    Click("SpeedButtonClearWhite");
    Click("SpeedButtonEditorDown");
    ExpectRow(0, LEVEL_GREY);
    ExpectRow(17, LEVEL_WHITE);

    Click("SpeedButtonClearWhite");
    Click("SpeedButtonEditorLeft");
    ExpectColumn(11, LEVEL_GREY);
    ExpectColumn(0, LEVEL_WHITE);
    for (int n = 1; n < 12; ++n)
        Click("SpeedButtonEditorLeft");
    ExpectGlyphAll(LEVEL_GREY);
}

TEST_F(ServiceEditorTest, ClearsFillTheGlyphAndWhiteSavesAsAARecord) {
    SelectGlyph(0x21);
    Click("SpeedButtonClearBlack");
    ExpectGlyphAll(LEVEL_BLACK);
    Click("SpeedButtonClearGray");
    ExpectGlyphAll(LEVEL_GREY);
    Click("SpeedButtonClearWhite");
    ExpectGlyphAll(LEVEL_WHITE);

    const QString path = FilePath(QStringLiteral("set.bin"));
    dialogs.saveAnswers.push_back(path);
    Click("ButtonSaveToBinaryFile");
    const QByteArray bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 13824);
    EXPECT_EQ(bytes.mid(54 * 0x21, 54), QByteArray(54, char(0xAA)));
}

TEST_F(ServiceEditorTest, CopyOfElevenPastedOnTwelveMakesThemEqual) {
    SelectGlyph(11);
    Click("ButtonCharCopy");
    EXPECT_TRUE(Find("ButtonCharPaste")->isEnabled());
    EXPECT_FALSE(form->Chars().Modified()); // copying is not an edit
    SelectGlyph(12);
    ASSERT_NE(Glyph(11), Glyph(12));
    Click("ButtonCharPaste");
    EXPECT_EQ(Glyph(11), Glyph(12));
    EXPECT_TRUE(form->Chars().Modified());
    EXPECT_EQ(Glyph(12), form->DefaultChars().copy(QRect(GlyphOrigin(11), QSize(12, 18))));
}

TEST_F(ServiceEditorTest, DefaultRestoresOneGlyphAndAlwaysMarksModified) {
    SelectGlyph(65);
    const QImage original = Glyph(65);
    Click("ButtonDefaultChar");
    EXPECT_EQ(Glyph(65), original);
    EXPECT_TRUE(form->Chars().Modified());

    Click("SpeedButtonClearWhite");
    SelectGlyph(66);
    Click("SpeedButtonClearBlack");
    SelectGlyph(65);
    Click("ButtonDefaultChar");
    EXPECT_EQ(Glyph(65), original);
    EXPECT_EQ(CellColour(Cell(0, 0)), original.pixel(0, 0) & 0xFFFFFFu);
    EXPECT_EQ(Glyph(66).pixel(5, 5) & 0xFFFFFFu, LEVEL_BLACK); // only the active glyph
}

TEST_F(ServiceEditorTest, MapCornerSelectsGlyph255AndPlacesTheFrame) {
    Press(Find("ImageChars"), QPoint(191, 287));
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 15);
    EXPECT_EQ(form->Service().Editor().ActiveCharRow(), 15);
    EXPECT_EQ(Find("ShapeActiveChar")->geometry(), QRect(180, 270, 16, 22));
    EXPECT_EQ(Find("ShapeActiveChar")->parentWidget(), Find("TabSheetService"));
    EXPECT_FALSE(form->Chars().Modified());
    // The cells show the new glyph.
    const QRgb bottomRight = form->Chars().Pixel(191, 287);
    EXPECT_EQ(CellColour(Cell(11, 17)), bottomRight);
    // The right button does not select.
    Press(Find("ImageChars"), QPoint(0, 0), Qt::RightButton);
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 15);
}

TEST_F(ServiceEditorTest, DraggingWalksTheSelectionAndKeepsItBeyondTheEdge) {
    Press(Find("ImageChars"), QPoint(0, 0));
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(100, 100));
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 8);
    EXPECT_EQ(form->Service().Editor().ActiveCharRow(), 5);
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(250, 100));
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(-1, 100));
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 8);
    Release(Find("ImageChars"), QPoint(250, 100));
    // Moving with no button held selects nothing.
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(10, 10), Qt::NoButton);
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 8);

    // A drag that starts on the frame goes on selecting once it leaves it.
    QWidget* shape = Find("ShapeActiveChar");
    Press(shape, QPoint(8, 11));
    DragTo(shape, shape, QPoint(9, 12));
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 8);
    DragTo(shape, Find("ImageChars"), QPoint(12 * 2 + 1, 18 * 3 + 1));
    EXPECT_EQ(form->Service().Editor().ActiveCharCol(), 2);
    EXPECT_EQ(form->Service().Editor().ActiveCharRow(), 3);
    EXPECT_EQ(shape->pos(), QPoint(2 + 24 - 2, 2 + 54 - 2));
}

} // namespace
