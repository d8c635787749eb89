#pragma once

#include "Protocol.h"

#include <QObject>
#include <QPoint>
#include <QRgb>

#include <array>

class QAbstractButton;
class QFrame;
class TGlyphEditorKeys;
class TGlyphSetDocument;

namespace Ui {
class TFormKR7;
}

// The glyph editor of the service page, a view and controller over the glyph
// set's edit model: the map of the set with its frame on the active glyph,
// the 12 x 18 cells that show that glyph, the mouse on them, and the editor's
// buttons. The keys are TGlyphEditorKeys'.
class TGlyphEditor : public QObject {
    Q_OBJECT
public:
    TGlyphEditor(Ui::TFormKR7& ui, TGlyphSetDocument& glyphs);

    int ActiveCharCol() const;
    int ActiveCharRow() const;

    // Shows the set and its active glyph again (after someone else drew into it).
    void LoadCharEditor();
    // Repaints the map after the set changed.
    void CharsChanged();

    void SpeedButtonEditorMoveClick(QAbstractButton* sender);
    void SpeedButtonClearBlackClick(QAbstractButton* sender);
    void ButtonCharCopyClick();
    void ButtonCharPasteClick();
    void ButtonDefaultCharClick();

protected:
    // The mouse on the map, the frame and the cells.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCharEditor();
    void ShowActiveChar();
    QFrame* CharCell(int column, int row) const;
    void SelectActiveChar(QPoint pos);
    void ImageCharsMouseDown(Qt::MouseButtons buttons, QPoint pos);
    void ImageCharsMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void ShapeActiveCharMouseMove(Qt::MouseButtons buttons, QPoint pos);
    void CharCellMouseDown(QFrame* cell, Qt::MouseButtons buttons);
    void CharCellMouseMove(QFrame* cell, Qt::MouseButtons buttons, QPoint pos);

    Ui::TFormKR7& ui_;
    TGlyphSetDocument& glyphs_;
    std::array<std::array<QFrame*, GLYPH_HEIGHT>, GLYPH_WIDTH> CharCells{};
    TGlyphEditorKeys* keys_ = nullptr;
};
