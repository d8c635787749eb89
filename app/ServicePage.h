#pragma once

#include "CharsImage.h"
#include "FileDialogState.h"
#include "GlyphEditor.h"
#include "GlyphRecovery.h"
#include "GlyphSetDocument.h"
#include "WindowServices.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QAbstractButton;
class QProgressBar;
class QShortcut;
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
// glyph-set files and the glyph uploads. It edits the window's current glyph
// set through the set's edit model, with undo and redo; the window keeps that
// set and the default one. A glyph-set file dropped on the glyph map loads as
// its load button would load it.
class TServicePage : public QObject, public TGlyphSetEditor {
    Q_OBJECT
public:
    struct TServices {
        TKR7& device;
        TMessageLog& log;
        TShellState& shell;
        TDialogs& dialogs;
        TSequenceLine& line;
        QString recoveryFolder; // where unsaved edits are kept over a forced close; empty: not kept
    };

    // Starts with the default set in the editor and connects the controls.
    TServicePage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault);

    bool UnsavedCharsCancelled() override;
    void CharsReplaced(const QImage& picture) override;
    void LoadCharEditor() override;
    void CharsChanged() override;
    const TGlyphEditor& Editor() const { return editor_; }
    // The glyph set's edit model: every edit and its undo step. Taking shapes
    // from elsewhere (a font) is glyphs.ReplaceGlyphs(image, 1, 111).
    TGlyphSetDocument& Glyphs() { return glyphs_; }
    const TGlyphSetDocument& Glyphs() const { return glyphs_; }

    // Unsaved edits kept by the last run: offered once, taken as one undo
    // step or discarded; the file goes either way.
    void OfferRecoveredGlyphs();
    // A close that cannot ask: keeps unsaved edits for the next start.
    void KeepUnsavedGlyphs();
    // A close that asked: nothing is kept.
    void ForgetUnsavedGlyphs();

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

    void ConnectHandlers();
    void CreateUndoKeys();
    // The undo keys act only while the page is shown.
    void EnableUndoKeys();
    QWidget* Window() const;
    static QString ConfirmTitle();
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
    TGlyphSetDocument glyphs_;
    TGlyphEditor editor_;
    TGlyphRecovery recovery_;
    std::vector<QShortcut*> undoKeys_;
    std::string textOutText_ = "abc";
    QString binaryLoadName_, binarySaveName_, bitmapLoadName_, bitmapSaveName_;
};
