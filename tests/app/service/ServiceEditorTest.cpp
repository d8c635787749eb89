// The glyph editor of the service page as the window shows it: the cells and
// the frame on the map, the mouse, the keys and the editor's buttons reaching
// the edit model, and undo and redo by keys. The editing rules themselves are
// tested on the model (tests/models/glyphs); the Tab order that reaches the
// map and the cells, in KeyboardTest.
#include "service/ServiceFixture.h"

#include <QToolButton>

namespace {

class ServiceEditorTest : public ServiceFixture {
protected:
    // The cells show the active glyph of the set.
    void ExpectCellsShowTheSet() {
        for (int row = 0; row < 18; ++row)
            for (int column = 0; column < 12; ++column)
                ASSERT_EQ(CellColour(Cell(column, row)), GlyphPixel(column, row)) << column << "," << row;
    }
    int ActiveCode() const {
        return 16 * form->Service().Editor().ActiveCharRow() + form->Service().Editor().ActiveCharCol();
    }
    // A key with modifiers on the window, where the focus is.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The window active, so that its keys reach the focus.
    void Activate() {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    QPoint FramePos() const { return Find("ShapeActiveChar")->pos(); }
    // What the glyph map shows of the glyph of code.
    QImage ShownGlyph(int code) const {
        const QImage shown = Find("ImageChars")->grab().toImage();
        return shown.copy(QRect(GlyphOrigin(code), QSize(12, 18))).convertToFormat(QImage::Format_RGB32);
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
    EXPECT_EQ(ActiveCode(), 0);
    EXPECT_EQ(CellColour(Cell(0, 0)), LEVEL_GREY);
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_FALSE(Find("ButtonCharPaste")->isEnabled());
    EXPECT_EQ(Find<TImageView>("ImageChars")->Image(), &form->Chars().Image());
}

TEST_F(ServiceEditorTest, ClicksAndDragsPaintCellsAndPixels) {
    ClickCell(4, 3, Qt::LeftButton);
    ClickCell(5, 3, Qt::RightButton);
    EXPECT_EQ(CellColour(Cell(4, 3)), LEVEL_WHITE);
    EXPECT_EQ(CellColour(Cell(5, 3)), LEVEL_BLACK);
    EXPECT_TRUE(form->Chars().Modified());
    ClickCell(2, 0, Qt::MiddleButton); // no painting button
    EXPECT_EQ(GlyphPixel(2, 0), LEVEL_GREY);

    // The press's colour goes to every cell passed, whatever it was.
    QFrame* first = Cell(3, 3);
    Press(first, QPoint(7, 7));
    for (int column = 4; column <= 6; ++column)
        DragTo(first, Cell(column, 3), QPoint(7, 7));
    DragTo(first, Find("PanelCharEditor"), QPoint(157, 236)); // outside the grid: nothing
    Release(first, QPoint(7, 7));
    for (int column = 3; column <= 6; ++column)
        EXPECT_EQ(GlyphPixel(column, 3), LEVEL_WHITE) << column;
    EXPECT_EQ(GlyphPixel(11, 17), LEVEL_GREY);
    DragTo(first, Cell(1, 1), QPoint(7, 7), Qt::NoButton); // no button held
    EXPECT_EQ(GlyphPixel(1, 1), LEVEL_GREY);
    ExpectCellsShowTheSet();
}

TEST_F(ServiceEditorTest, EditorButtonsEditTheActiveGlyph) {
    SelectGlyph(0x21);
    Click("SpeedButtonClearBlack");
    EXPECT_EQ(GlyphPixel(5, 5), LEVEL_BLACK);
    Click("SpeedButtonClearWhite");
    Click("SpeedButtonEditorRight");
    Click("SpeedButtonEditorDown");
    EXPECT_EQ(GlyphPixel(0, 5), LEVEL_GREY);
    EXPECT_EQ(GlyphPixel(5, 0), LEVEL_GREY);
    EXPECT_EQ(GlyphPixel(11, 17), LEVEL_WHITE);
    Click("SpeedButtonEditorLeft");
    Click("SpeedButtonEditorUp");
    EXPECT_EQ(GlyphPixel(11, 17), LEVEL_GREY);
    ExpectCellsShowTheSet();
    Click("SpeedButtonClearWhite");
    Click("SpeedButtonClearGray");
    EXPECT_EQ(GlyphPixel(5, 5), LEVEL_GREY);

    // Copy of 11 pasted on 12; "Default" restores only the active glyph.
    SelectGlyph(11);
    Click("ButtonCharCopy");
    EXPECT_TRUE(Find("ButtonCharPaste")->isEnabled());
    SelectGlyph(12);
    Click("ButtonCharPaste");
    EXPECT_EQ(Glyph(11), Glyph(12));
    Click("SpeedButtonClearWhite");
    Click("ButtonDefaultChar");
    EXPECT_EQ(Glyph(12), form->DefaultChars().copy(QRect(GlyphOrigin(12), QSize(12, 18))));
    ExpectCellsShowTheSet();
}

TEST_F(ServiceEditorTest, MapCornerSelectsGlyph255AndPlacesTheFrame) {
    Press(Find("ImageChars"), QPoint(191, 287));
    EXPECT_EQ(ActiveCode(), 255);
    EXPECT_EQ(Find("ShapeActiveChar")->geometry(), QRect(180, 270, 16, 22));
    EXPECT_EQ(Find("ShapeActiveChar")->parentWidget(), Find("TabSheetService"));
    EXPECT_FALSE(form->Chars().Modified());
    ExpectCellsShowTheSet();
    // The right button does not select.
    Press(Find("ImageChars"), QPoint(0, 0), Qt::RightButton);
    EXPECT_EQ(ActiveCode(), 255);
}

TEST_F(ServiceEditorTest, DraggingWalksTheSelectionAndKeepsItBeyondTheEdge) {
    Press(Find("ImageChars"), QPoint(0, 0));
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(100, 100));
    EXPECT_EQ(ActiveCode(), 16 * 5 + 8);
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(250, 100));
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(-1, 100));
    EXPECT_EQ(ActiveCode(), 16 * 5 + 8);
    Release(Find("ImageChars"), QPoint(250, 100));
    // Moving with no button held selects nothing.
    DragTo(Find("ImageChars"), Find("ImageChars"), QPoint(10, 10), Qt::NoButton);
    EXPECT_EQ(ActiveCode(), 16 * 5 + 8);

    // A drag that starts on the frame goes on selecting once it leaves it.
    QWidget* shape = Find("ShapeActiveChar");
    Press(shape, QPoint(8, 11));
    DragTo(shape, shape, QPoint(9, 12));
    EXPECT_EQ(ActiveCode(), 16 * 5 + 8);
    DragTo(shape, Find("ImageChars"), QPoint(12 * 2 + 1, 18 * 3 + 1));
    EXPECT_EQ(ActiveCode(), 16 * 3 + 2);
    EXPECT_EQ(shape->pos(), QPoint(2 + 24 - 2, 2 + 54 - 2));
}

// The map shows its focus ring without hiding a pixel of the set; the arrow,
// page, Home and End keys walk the selection, the frame and the cells as
// clicks on the glyphs do, and stop at the map's edges; choosing edits nothing.
TEST_F(ServiceEditorTest, MapKeysWalkTheSelectionAsClicksDo) {
    Activate();
    QWidget* map = Find("ImageChars");
    QWidget* ring = Find("ShapeCharsFocus");
    EXPECT_FALSE(ring->isVisible());
    const QImage unfocused = map->grab().toImage();
    const qsizetype lines = form->LogLines().size();
    map->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(map->geometry()));
    EXPECT_EQ(map->grab().toImage(), unfocused);

    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
        Key(key, Qt::NoModifier);
    EXPECT_EQ(ActiveCode(), 35);
    EXPECT_EQ(FramePos(), QPoint(36, 36));
    ExpectCellsShowTheSet();
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ActiveCode(), 255);
    EXPECT_EQ(FramePos(), QPoint(180, 270));
    ExpectCellsShowTheSet();
    Key(Qt::Key_Right, Qt::NoModifier); // the map's edge holds
    Key(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(ActiveCode(), 255);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(ActiveCode(), 0);
    Key(Qt::Key_End, Qt::NoModifier);
    Key(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(ActiveCode(), 255);
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_PageUp, Qt::Key_Up, Qt::Key_Left})
        Key(key, Qt::NoModifier);
    EXPECT_EQ(ActiveCode(), 0);
    EXPECT_EQ(FramePos(), QPoint(0, 0));
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(form->LogLines().mid(lines), QStringList());
}

// The cells show a cursor while they have the keys; Space and Enter paint the
// cursor's cell as the left button does, Shift+Space as the right, Shift with
// an arrow drags the stroke on, and 0, 1 and 2 paint black, grey and white.
// The map shows the glyph so edited; a click on a cell gives the cells the keys.
TEST_F(ServiceEditorTest, CellsPaintByKeysAsByTheMouse) {
    Activate();
    QWidget* panel = Find("PanelCharEditor");
    QWidget* cursor = Find("ShapeCharCursor");
    QImage expected(12, 18, QImage::Format_RGB32);
    expected.fill(0xFF000000 | LEVEL_GREY);
    ASSERT_EQ(Glyph(0), expected);
    EXPECT_FALSE(cursor->isVisible());
    panel->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(cursor->isVisible());
    EXPECT_EQ(cursor->geometry(), Cell(0, 0)->geometry());
    const qsizetype lines = form->LogLines().size();
    const auto keys = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
        for (const auto& [key, modifiers] : presses)
            Key(key, modifiers);
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    keys({{Qt::Key_Right, none}, {Qt::Key_Right, none}, {Qt::Key_Right, none}});
    keys({{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Down, none}});
    EXPECT_EQ(cursor->geometry(), Cell(3, 4)->geometry());
    Key(Qt::Key_Space, none); // the left button: white on grey
    EXPECT_EQ(GlyphPixel(3, 4), LEVEL_WHITE);
    EXPECT_TRUE(form->Chars().Modified());
    keys({{Qt::Key_Right, none}, {Qt::Key_Space, shift}}); // the right button: black on grey
    keys({{Qt::Key_Left, none}, {Qt::Key_Return, none}});  // the left button on white: grey
    keys({{Qt::Key_Down, none}, {Qt::Key_Right, none}, {Qt::Key_Right, none}, {Qt::Key_Enter, none}});
    keys({{Qt::Key_Right, shift}, {Qt::Key_Right, shift}}); // the white dragged over two cells
    keys({{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Right, none}});
    keys({{Qt::Key_0, none}, {Qt::Key_Right, none}, {Qt::Key_2, none}, {Qt::Key_Right, none}});
    keys({{Qt::Key_2, none}, {Qt::Key_1, none}});
    for (const QPoint white : {QPoint(5, 5), QPoint(6, 5), QPoint(7, 5), QPoint(9, 8)})
        expected.setPixel(white, 0xFF000000 | LEVEL_WHITE);
    for (const QPoint black : {QPoint(4, 4), QPoint(8, 8)})
        expected.setPixel(black, 0xFF000000 | LEVEL_BLACK);
    EXPECT_EQ(Glyph(0), expected);
    EXPECT_EQ(ShownGlyph(0), expected);
    ExpectCellsShowTheSet();
    EXPECT_EQ(form->LogLines().mid(lines), QStringList());
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(cursor->geometry(), Cell(11, 17)->geometry());
    Key(Qt::Key_Home, none);
    EXPECT_EQ(cursor->geometry(), Cell(0, 17)->geometry());
    Key(Qt::Key_Tab, none);
    EXPECT_FALSE(cursor->isVisible());

    QTest::mouseClick(Cell(10, 8), Qt::LeftButton, Qt::NoModifier, QPoint(7, 7));
    EXPECT_EQ(QApplication::focusWidget(), panel);
    EXPECT_EQ(cursor->geometry(), Cell(10, 8)->geometry());
}

// Ctrl+Z walks back through the edits, Ctrl+Shift+Z and Ctrl+Y walk forward,
// from wherever the focus is on the page, and the cells follow the glyph
// each step changes. Which edits are steps and when the set counts as saved
// is the edit model's (tests/models/glyphs). Nothing reaches the device.
TEST_F(ServiceEditorTest, CtrlZUndoesEachEditAndCtrlShiftZOrCtrlYRedoes) {
    Activate();
    TPtyPort pty(3);
    Connect(pty);
    const QImage start = form->Chars().Image();
    SelectGlyph(0x41);
    QFrame* first = Cell(1, 1);
    Press(first, QPoint(7, 7));
    DragTo(first, Cell(2, 1), QPoint(7, 7));
    Release(first, QPoint(7, 7));
    const QImage dragged = form->Chars().Image();
    Click("SpeedButtonEditorRight");
    const QImage shifted = form->Chars().Image();
    SelectGlyph(7);
    dialogs.okCancelAnswers.push_back(true);
    Click("ButtonLoadDefaultBitmap");
    ASSERT_EQ(form->Chars().Image(), start);
    Find("ButtonCharCopy")->setFocus(); // the keys act wherever the focus is on the page

    Key(Qt::Key_Z); // the load
    EXPECT_EQ(form->Chars().Image(), shifted);
    EXPECT_TRUE(form->Chars().Modified());
    Key(Qt::Key_Z); // the shift: glyph 0x41 comes back into the editor
    EXPECT_EQ(form->Chars().Image(), dragged);
    EXPECT_EQ(ActiveCode(), 0x41);
    ExpectCellsShowTheSet();
    Key(Qt::Key_Z); // the whole drag
    EXPECT_EQ(form->Chars().Image(), start);
    Key(Qt::Key_Z); // nothing more to undo
    EXPECT_EQ(form->Chars().Image(), start);

    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->Chars().Image(), dragged);
    Key(Qt::Key_Y);
    EXPECT_EQ(form->Chars().Image(), shifted);
    Key(Qt::Key_Y); // the default set again: saved
    EXPECT_EQ(form->Chars().Image(), start);
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_EQ(pty.Take(), "");

    // A stroke by keys (a press, then Shift with arrows) is one step too.
    SelectGlyph(0);
    Find("PanelCharEditor")->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Home); // Ctrl+Home: the first cell
    Key(Qt::Key_Space, Qt::NoModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(GlyphPixel(2, 0), LEVEL_WHITE);
    Key(Qt::Key_Z);
    EXPECT_EQ(form->Chars().Image(), start);
    EXPECT_EQ(CellColour(Cell(2, 0)), LEVEL_GREY);

    // On another page the keys leave the glyphs alone.
    UserInput::ShowPage(Find<QTabWidget>("PageControl"), Find("TabSheetPreview"));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Chars().Image(), start);
}

} // namespace
