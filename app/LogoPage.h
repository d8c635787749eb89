#pragma once

#include "LogoDocument.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QKeyEvent;
class QScrollBar;
class QWidget;
class TCharsImage;
class TDialogs;
class TGlyphSetEditor;
class TIniFile;
class TKR7;
class TLongSequence;
class TSequenceLine;
class TMessageLog;
class TPreview;

namespace Ui {
class TFormKR7;
}

// The Logo page: the view and controller of a logo document (the working
// picture, its placement and reduction, the logo view and table): its
// controls set the document and show it, its buttons import, generate,
// program and remove, and it keeps the Logo section of the settings file
// with its picture file. Ctrl+Z undoes a change of the document,
// Ctrl+Shift+Z and Ctrl+Y redo it. Its member definitions are split:
// LogoPage.cpp (set-up, showing the document, settings file),
// LogoPageControls.cpp (placement and reduction controls, undo),
// LogoPageMouse.cpp (dragging, colour picking, dropped pictures),
// LogoPageKeys.cpp (the swatch and picking by keys), LogoPageProgram.cpp
// (import, generation, programming).
class TLogoPage : public QObject {
    Q_OBJECT
public:
    struct TServices {
        TKR7& device;
        TMessageLog& log;
        TDialogs& dialogs;
        TPreview& preview;
        TGlyphSetEditor& glyphs;
        TSequenceLine& line;
    };

    // chars is the current glyph set the tiles are drawn into, charsDefault
    // the set a removal restores; bitmapPath is where the working picture is
    // kept between runs.
    TLogoPage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault,
              const QString& bitmapPath);

    // Restores the Logo section and, when it says so, the working picture.
    void Load(TIniFile& ini);
    // Writes the Logo section and the working picture; false when a write failed.
    bool Save(TIniFile& ini);
    // Enables the page's controls for the picture and table it holds.
    void UpdateLogoControls();
    // Draws the generated logo into the preview again; nothing without one.
    void RedrawPreview();

    const TLogoDocument& Document() const { return document_; }
    const QImage& LogoView() const { return document_.View(); }
    const std::optional<QImage>& LogoBitmap() const { return document_.Picture(); }
    const TLogoTable& LogoTable() const { return document_.Table(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectHandlers();
    void ConnectUndo();
    QWidget* Window() const;
    void Log(const QString& line);
    // Sets every control and the view from the document, without running
    // the controls' handlers.
    void ShowDocument();
    void ClearLogo();
    void DrawLogoPreview();

    // Import and generation.
    void ButtonLogoLoadClick();
    // A picture chosen from the import's recent list, imported as if chosen in its dialog.
    void RecentLogoFileClick(const QString& fileName);
    // False when the picture could not be imported (the log says why).
    bool ImportLogoFile(const QString& fileName);
    void ImportLogoPicture(const QImage& picture);
    void ButtonLogoClearClick();
    void ButtonLogoCalculateClick();
    void ButtonLogoProgramClick();
    void ButtonLogoShowClick();
    void ProgramLogo(TLongSequence& progress);
    void RemoveLogo(TLongSequence& progress);

    // Placement and reduction.
    void ScrollBarLogoPosXChange();
    void ScrollBarLogoPosYChange();
    void ScrollBarLogoWidthChange();
    void ScrollBarLogoHeightChange();
    void CheckBoxLogoProportionalClick();
    void SpeedButtonLogoRestoreWidthClick();
    void SpeedButtonLogoRestoreHeightClick();
    void SpeedButtonLogoCenterPosXClick();
    void SpeedButtonLogoCenterPosYClick();
    void SpeedButtonLogoLeftClick();
    void SpeedButtonLogoRightClick();
    void SpeedButtonLogoTopClick();
    void SpeedButtonLogoBottomClick();
    void ScrollBarLogoLevelBWChange();
    void ScrollBarLogoTransparentColorToleranceChange();
    void RadioButtonLogoColorClick(TLogoMode mode);
    void CheckBoxLogoTransparentColorClick();
    void CheckBoxLogoNegativeClick();
    void CheckBoxLogoShowGridClick();
    void ShowLogoMode(TLogoMode mode);
    TLogoMode ChosenLogoMode() const;
    // Undo and redo, not while the picture is dragged or a colour picked.
    void UndoLogo();
    void RedoLogo();

    // Mouse and drops.
    bool MouseEvent(QObject* watched, QEvent* event);
    bool DropEvent(QEvent* event);
    void ShapeLogoTransparentColorMouseDown(Qt::MouseButton button);
    void ImageLogoMouseDown(Qt::MouseButton button, QPoint pos);
    void ImageLogoMouseMove(QPoint pos);
    void ImageLogoMouseUp(Qt::MouseButton button, QPoint pos);
    void ShowLogoTransparentColor(const QColor& colour);
    void EndLogoPicking();

    // Keys.
    bool KeyEvent(QObject* watched, QEvent* event);
    bool ShapeLogoTransparentColorKeyDown(const QKeyEvent& key);
    bool ImageLogoKeyDown(const QKeyEvent& key);
    QPoint LogoPickStart() const;
    void MoveLogoPickPoint(QPoint point);
    void CancelLogoPicking();

    // Set from references, never null; pointers keep the handlers' bodies as
    // the window had them.
    Ui::TFormKR7* ui_;
    TKR7* device_;
    TMessageLog* log_;
    TDialogs* dialogs_;
    TPreview* preview_;
    TGlyphSetEditor* service_;
    TSequenceLine* line_;
    TCharsImage& chars_;
    const QImage& charsDefault_;
    QString bitmapPath_;

    TLogoDocument document_;              // mixing seeded from the clock
    std::optional<QPoint> logoPickPoint_; // while picking, the last point the pointer or the keys chose
    QColor logoPickStartColor_;           // the swatch before picking, for Esc
    QString logoImportName_;
};
