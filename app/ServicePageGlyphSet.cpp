// The service page's glyph set: the question about unsaved edits, the
// glyph-set files, the default set, undo and redo of the edits, and the
// unsaved edits kept over a forced close.
#include "Dialogs.h"
#include "DroppedFile.h"
#include "Glyphs.h"
#include "MemoryStream.h"
#include "PictureFile.h"
#include "ServiceFiles.h"
#include "ServicePage.h"
#include "ui_Kr7unit1.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>

#include <optional>

namespace {

QString BinaryFilter() {
    return QCoreApplication::translate("TServicePage", "All files (*.*)|*.*");
}

QString BitmapFilter() {
    return QCoreApplication::translate("TServicePage", "Bitmap (*.bmp)|*.bmp");
}

const QString BITMAP_EXT = QStringLiteral("bmp");

} // namespace

// ---- Glyph set ---------------------------------------------------------------

bool TServicePage::UnsavedCharsCancelled() {
    if (!glyphs_.Modified())
        return false;
    return !dialogs_.AskOkCancel(Window(), ConfirmTitle(), tr("Actual characters not saved, continue?"));
}

// ---- Glyph-set files ---------------------------------------------------------

// A load is one undo step that leaves the set saved as it stands.
void TServicePage::CharsReplaced(const QImage& picture) {
    glyphs_.LoadSet(picture);
}

void TServicePage::ButtonLoadFromBinaryFileClick() {
    if (UnsavedCharsCancelled())
        return;
    const QString fileName = dialogs_.OpenFile(Window(), TFileDialog::CharsBinaryLoad, binaryLoadName_, BinaryFilter());
    if (fileName.isEmpty())
        return;
    binaryLoadName_ = fileName;
    LoadBinaryFile(fileName);
}

void TServicePage::RecentGlyphSetClick(TFileDialog dialog, const QString& fileName) {
    if (UnsavedCharsCancelled())
        return;
    const bool bitmap = dialog == TFileDialog::CharsBitmapLoad;
    (bitmap ? bitmapLoadName_ : binaryLoadName_) = fileName;
    if (bitmap ? LoadBitmapFile(fileName) : LoadBinaryFile(fileName))
        dialogs_.Reused(dialog, fileName);
}

bool TServicePage::LoadBinaryFile(const QString& fileName) {
    std::string bytes;
    const TExactReadResult read = ReadExactFile(fileName, GLYPH_SET_BYTES, bytes);
    if (read == TExactReadResult::WrongSize) {
        log_.Log(tr("Wrong binary file size, must be %1.").arg(static_cast<int>(GLYPH_SET_BYTES)));
        return false;
    }
    TMemoryStream stream(std::move(bytes));
    const std::optional<QImage> loaded =
        read == TExactReadResult::Ok ? ReadCharsBitmap(stream) : std::optional<QImage>();
    if (!loaded) {
        log_.Log(tr("Error load binary file."));
        return false;
    }
    CharsReplaced(*loaded);
    log_.Log(tr("Binary file loaded success."));
    return true;
}

void TServicePage::ButtonSaveToBinaryFileClick() {
    const QString fileName =
        dialogs_.SaveFile(Window(), TFileDialog::CharsBinarySave, binarySaveName_, BinaryFilter(), QString());
    if (fileName.isEmpty())
        return;
    binarySaveName_ = fileName;
    TMemoryStream stream;
    WriteCharsBitmap(chars_.Image(), stream);
    const std::string& bytes = stream.Bytes();
    if (bytes.size() != GLYPH_SET_BYTES || !WriteWholeFile(fileName, bytes.data(), bytes.size())) {
        log_.Log(tr("Error saving binary file."));
        return;
    }
    glyphs_.MarkSaved();
    log_.Log(tr("Binary file save success."));
}

void TServicePage::ButtonLoadFromBitmapClick() {
    if (UnsavedCharsCancelled())
        return;
    const QString fileName = dialogs_.OpenFile(Window(), TFileDialog::CharsBitmapLoad, bitmapLoadName_, BitmapFilter());
    if (fileName.isEmpty())
        return;
    bitmapLoadName_ = fileName;
    LoadBitmapFile(fileName);
}

bool TServicePage::LoadBitmapFile(const QString& fileName) {
    QImage loaded;
    switch (ReadCharsBitmapFile(fileName, loaded)) {
    case TBitmapResult::Ok:
        CharsReplaced(loaded);
        log_.Log(tr("Bitmap load success."));
        return true;
    case TBitmapResult::WrongSize:
        log_.Log(tr("Wrong image dimensions: %1 x %2.").arg(CHARS_WIDTH).arg(CHARS_HEIGHT));
        return false;
    case TBitmapResult::Failed:
        log_.Log(tr("Error loading bitmap."));
        return false;
    }
    return false;
}

void TServicePage::ButtonSaveToBitmapClick() {
    const QString fileName =
        dialogs_.SaveFile(Window(), TFileDialog::CharsBitmapSave, bitmapSaveName_, BitmapFilter(), BITMAP_EXT);
    if (fileName.isEmpty())
        return;
    bitmapSaveName_ = fileName;
    if (!SaveBmp32File(chars_.Image(), fileName)) {
        log_.Log(tr("Error saving bitmap."));
        return;
    }
    glyphs_.MarkSaved();
    log_.Log(tr("Bitmap save success."));
}

// A file dropped on the glyph map: a .bmp loads as the bitmap's "Load" loads
// it, any other file as the binary file's "Load" does, and the load dialog
// starts at the dropped file next time.
void TServicePage::ImageCharsDragDrop(const QString& fileName) {
    if (UnsavedCharsCancelled())
        return;
    if (QFileInfo(fileName).suffix().compare(BITMAP_EXT, Qt::CaseInsensitive) == 0) {
        bitmapLoadName_ = fileName;
        LoadBitmapFile(fileName);
        return;
    }
    binaryLoadName_ = fileName;
    LoadBinaryFile(fileName);
}

bool TServicePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ui_.ImageChars || !IsDropEvent(event))
        return QObject::eventFilter(watched, event);
    if (const std::optional<QString> file = TakeDroppedFile(event, true))
        ImageCharsDragDrop(*file);
    return true;
}

void TServicePage::ButtonLoadDefaultBitmapClick() {
    if (UnsavedCharsCancelled())
        return;
    CharsReplaced(charsDefault_);
}

// ---- Undo and redo -----------------------------------------------------------

// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, wherever the focus is in the
// window while the service page is shown (a text box keeps its own undo).
void TServicePage::CreateUndoKeys() {
    QWidget* window = Window();
    const auto add = [this, window](const QKeySequence& keys, void (TGlyphSetDocument::*step)()) {
        auto* shortcut = new QShortcut(keys, window);
        shortcut->setObjectName(QStringLiteral("ShortcutGlyphs") + keys.toString(QKeySequence::PortableText));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, &glyphs_, step);
        undoKeys_.push_back(shortcut);
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_Z), &TGlyphSetDocument::Undo);
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &TGlyphSetDocument::Redo);
    add(QKeySequence(Qt::CTRL | Qt::Key_Y), &TGlyphSetDocument::Redo);
    connect(ui_.PageControl, &QTabWidget::currentChanged, this, &TServicePage::EnableUndoKeys);
    EnableUndoKeys();
}

void TServicePage::EnableUndoKeys() {
    const bool shown = ui_.PageControl->currentWidget() == ui_.TabSheetService;
    for (QShortcut* shortcut : undoKeys_)
        shortcut->setEnabled(shown);
}

// ---- Edits kept over a forced close ----------------------------------------

void TServicePage::OfferRecoveredGlyphs() {
    if (!recovery_.Exists())
        return;
    const std::optional<QImage> kept = recovery_.Read();
    if (kept && dialogs_.AskOkCancel(Window(), ConfirmTitle(),
                                     tr("Unsaved characters of the last run were kept. Restore them?"))) {
        glyphs_.ReplaceGlyphs(*kept, 0, 255);
        log_.Log(tr("Unsaved characters restored."));
    }
    recovery_.Discard();
}

void TServicePage::KeepUnsavedGlyphs() {
    if (glyphs_.Modified())
        recovery_.Keep(glyphs_.Image());
    else
        recovery_.Discard();
}

void TServicePage::ForgetUnsavedGlyphs() {
    recovery_.Discard();
}
