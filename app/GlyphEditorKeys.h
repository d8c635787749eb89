#pragma once

#include <QObject>
#include <QPoint>

class QFrame;
class QKeyEvent;
class TGlyphSetDocument;

namespace Ui {
class TFormKR7;
}

// The glyph editor without a mouse: the arrow keys walk the selection through
// the glyph map and a cursor through the cells, and the keys that paint a
// cell go the way a press of a mouse button on it goes. The marks show where
// the keys act while the map or the cells have the keyboard.
class TGlyphEditorKeys : public QObject {
    Q_OBJECT
public:
    TGlyphEditorKeys(Ui::TFormKR7& ui, TGlyphSetDocument& glyphs, QObject* parent);

    // The cell the keys paint next (the mouse moves it too).
    void MoveCharCursor(int column, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ImageCharsKeyDown(const QKeyEvent& key);
    bool PanelCharEditorKeyDown(const QKeyEvent& key);
    void CreateMapFocus();
    void CreateCharCursor();
    void ShowFocus();

    Ui::TFormKR7& ui_;
    TGlyphSetDocument& glyphs_;
    QFrame* mapFocus_ = nullptr;   // around the map while it has focus
    QFrame* charCursor_ = nullptr; // the cell the keys paint, framed while the cells have focus
    QPoint cursor_;
};
