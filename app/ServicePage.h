#pragma once

#include "CharsImage.h"
#include "FileDialogState.h"
#include "GlyphEditor.h"
#include "WindowServices.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <string>

class QAbstractButton;
class QProgressBar;
class QWidget;
class TDialogs;
class TKR7;
class TLongSequence;
class TMessageLog;
class TSequenceLine;
class TShellState;

namespace Ui {
class TFormKR7;
}

// The service page: the device test commands, the glyph editor, the
// glyph-set files and the glyph uploads. It draws into the window's current
// glyph set; the window keeps that set and the default one. A glyph-set file
// dropped on the glyph map loads as its load button would load it.
class TServicePage : public QObject, public TGlyphSetEditor {
    Q_OBJECT
public:
    struct TServices {
        TKR7& device;
        TMessageLog& log;
        TShellState& shell;
        TDialogs& dialogs;
        TSequenceLine& line;
    };

    // Starts with the default set in the editor and connects the controls.
    TServicePage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault);

    bool UnsavedCharsCancelled() override;
    void CharsReplaced(const QImage& picture) override;
    void LoadCharEditor() override;
    void CharsChanged() override;
    const TGlyphEditor& Editor() const { return editor_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The handlers of the page's own controls.
    void ButtonTestClick();
    void ButtonZoneTest1Click(QAbstractButton* sender);
    void ButtonTextCharOutClick(QAbstractButton* sender);
    void ButtonCrossShowClick();
    void ScrollBarCrossXYChange();

    void ButtonLoadFromBinaryFileClick();
    void ButtonSaveToBinaryFileClick();
    void ButtonLoadFromBitmapClick();
    // A glyph set chosen from a load's recent list, loaded as if chosen in that load's dialog.
    void RecentGlyphSetClick(TFileDialog dialog, const QString& fileName);
    // False when the set was not loaded (the log says why).
    bool LoadBinaryFile(const QString& fileName);
    bool LoadBitmapFile(const QString& fileName);
    void ImageCharsDragDrop(const QString& fileName);
    void ButtonSaveToBitmapClick();
    void ButtonLoadDefaultBitmapClick();
    void ButtonSendCharsToDeviceClick();
    void ButtonSendCharToDeviceClick();
    // Font... (ServicePageFont.cpp): the dialog, then its shapes into the set.
    void ButtonFontClick();
    void ApplyFontGlyphs(const QImage& drawn, const QString& faceName, const QString& missing);

    void ConnectHandlers();
    QWidget* Window() const;
    QProgressBar* ShowProgressFromZero();
    // The log line after a sequence the user cancelled: how far it got of total.
    void LogIfCancelled(const TLongSequence& sequence, int total, const QString& unit);

    Ui::TFormKR7& ui_;
    TKR7& device_;
    TMessageLog& log_;
    TShellState& shell_;
    TDialogs& dialogs_;
    TSequenceLine& line_;
    TCharsImage& chars_;
    const QImage& charsDefault_;
    TGlyphEditor editor_;
    std::string textOutText_ = "abc";
    QString binaryLoadName_, binarySaveName_, bitmapLoadName_, bitmapSaveName_;
};
