#pragma once

#include "CharsImage.h"
#include "Glyphs.h"

#include <QObject>
#include <QPoint>
#include <QRgb>

#include <array>

class QAbstractButton;
class QFrame;
class QKeyEvent;

namespace Ui {
class TFormKR7;
}

// The glyph editor of the service page: the map of the glyph set with its
// frame on the active glyph, and the 12 x 18 cells that show and paint that
// glyph. It draws into the window's current glyph set and reads the default
// set for restoring one glyph.
class TGlyphEditor : public QObject {
    Q_OBJECT
public:
    TGlyphEditor(Ui::TFormKR7& ui, TCharsImage& chars, const QImage& charsDefault);

    int ActiveCharCol() const { return activeCharCol_; }
    int ActiveCharRow() const { return activeCharRow_; }

    // Shows the active glyph of the set in the cells.
    void LoadCharEditor();
    // Repaints the map after the set changed.
    void CharsChanged();

    void SpeedButtonEditorMoveClick(QAbstractButton* sender);
    void SpeedButtonClearBlackClick(QAbstractButton* sender);
    void ButtonCharCopyClick();
    void ButtonCharPasteClick();
    void ButtonDefaultCharClick();

protected:
    // The mouse on the map, the frame and the cells, and the keys on the map
    // and the cells.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCharEditor();
    void ShowActiveChar();
    void StoreCharEditor();
    QFrame* CharCell(int column, int row) const;
    QPoint ActiveCharPixel(int column, int row) const;
    void SelectActiveChar(QPoint pos);
    void PaintCharCell(QFrame* cell, QRgb colour);
    void ImageCharsMouseDown(Qt::MouseButtons buttons, QPoint pos);
    void ImageCharsMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void ShapeActiveCharMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void CharCellMouseDown(QFrame* cell, Qt::MouseButtons buttons);
    void CharCellMouseMove(QFrame* cell, Qt::MouseButtons buttons, QPoint pos);

    // Keys (GlyphEditorKeys.cpp).
    bool KeyEvent(QObject* watched, QEvent* event);
    bool ImageCharsKeyDown(const QKeyEvent& key);
    bool PanelCharEditorKeyDown(const QKeyEvent& key);
    void CreateMapFocus();
    void CreateCharCursor();
    void MoveCharCursor(int column, int row);
    void ShowFocus();

    Ui::TFormKR7& ui_;
    TCharsImage& chars_;
    const QImage& charsDefault_;
    int activeCharCol_ = 0;
    int activeCharRow_ = 0;
    QRgb PaintColor = LEVEL_BLACK;
    std::array<std::array<QFrame*, GLYPH_HEIGHT>, GLYPH_WIDTH> CharCells{};
    std::array<std::array<QRgb, GLYPH_HEIGHT>, GLYPH_WIDTH> CharCopyBuffer{};
    QFrame* mapFocus_ = nullptr;   // around the map while it has focus
    QFrame* charCursor_ = nullptr; // the cell the keys paint, framed while the cells have focus
    int charCursorCol_ = 0;
    int charCursorRow_ = 0;
};
