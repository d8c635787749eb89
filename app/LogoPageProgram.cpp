// The Logo page's buttons: import of the working picture, generation of the
// logo table, programming and removal of the logo, showing it.
#include "Dialogs.h"
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "KR7.h"
#include "LogoPage.h"
#include "LogoTable.h"
#include "LongSequence.h"
#include "PictureFaultText.h"
#include "PictureFile.h"
#include "Preview.h"
#include "ProgressBarAdapter.h"
#include "WindowServices.h"
#include "ui_Kr7unit1.h"

#include <QCoreApplication>
#include <QScrollBar>

#include <exception>

namespace {

QString PictureFilter() {
    return QCoreApplication::translate(
        "TLogoPage", "Wszystkie / All|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp|Bitmap (*.bmp)|*.bmp|"
                     "JPEG (*.jpg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif;*.tiff|"
                     "WebP (*.webp)|*.webp");
}

} // namespace

void TLogoPage::ButtonLogoLoadClick() {
    const QString fileName = dialogs_->OpenFile(Window(), TFileDialog::LogoPicture, logoImportName_, PictureFilter());
    if (fileName.isEmpty())
        return;
    ImportLogoFile(fileName);
}

void TLogoPage::RecentLogoFileClick(const QString& fileName) {
    if (ImportLogoFile(fileName))
        dialogs_->Reused(TFileDialog::LogoPicture, fileName);
}

bool TLogoPage::ImportLogoFile(const QString& fileName) {
    logoImportName_ = fileName;
    Log(QString());
    Log(tr("Wczytywanie pliku graficznego..."));
    const TPictureResult loaded = LoadPicture(fileName);
    if (!loaded.Ok()) {
        Log(PictureFaultText(loaded, fileName));
        return false;
    }
    try {
        ImportLogoPicture(loaded.image);
    } catch (const std::exception& error) {
        Log(QString());
        Log(tr("Wystąpił błąd podczas odczytu pliku graficznego.\n%1").arg(QString::fromLocal8Bit(error.what())));
        logoBitmap_.reset();
        UpdateLogoControls();
        return false;
    }
    return true;
}

void TLogoPage::ImportLogoPicture(const QImage& picture) {
    Log(tr("Wczytywanie pliku graficznego powiodło się."));
    logoBitmap_ = picture.convertToFormat(QImage::Format_RGB32);
    ui_->ScrollBarLogoPosX->setValue(0);
    ui_->ScrollBarLogoPosY->setValue(0);
    UpdateLogoControls();

    const long long w = logoBitmap_->width();
    const long long h = logoBitmap_->height();
    if (w > SCREEN_WIDTH || h > SCREEN_HEIGHT)
        ui_->ScrollBarLogoWidth->setValue(w * SCREEN_HEIGHT > h * SCREEN_WIDTH ? SCREEN_WIDTH
                                                                               : ClampSize(w * SCREEN_HEIGHT / h));
    ui_->CheckBoxLogoProportional->setChecked(true);
    ui_->ScrollBarLogoHeight->setValue(ClampSize(h * ui_->ScrollBarLogoWidth->value() / w));

    RenderLogo(false, false);
    SpeedButtonLogoCenterPosXClick();
    SpeedButtonLogoCenterPosYClick();
}

void TLogoPage::ButtonLogoClearClick() {
    ClearLogo();
}

void TLogoPage::ButtonLogoCalculateClick() {
    Log(QString());
    Log(tr("Generowanie tablicy znaków..."));
    RenderLogo(true, false);
    QProgressBar* bar = ui_->ProgressBarLogoProgress;
    bar->setValue(0);
    bar->show();
    TProgressBarAdapter progress(bar);
    std::optional<TLogoTable> table = BuildLogoTable(logoView_, &progress);
    if (table)
        logoTable_ = std::move(*table);
    const bool built = table && !logoTable_.Failed;
    const int count = logoTable_.TileCount;
    RenderLogo(false, false);
    if (built) {
        const int percent = static_cast<int>(count * 100.0 / LOGO_MAX_TILES + 0.5);
        Log(tr("Logo wygenerowane pomyślnie."));
        Log(tr("Bieżące logo wykorzystuje %1 znaków z dostępnych %2 (%3%).")
                .arg(count)
                .arg(LOGO_MAX_TILES)
                .arg(percent));
        if (IsLogoGenerated(logoTable_)) {
            // The tiles are no edit of the user's, but earlier unsaved edits stay marked.
            const bool modified = chars_.Modified();
            DrawLogoTiles(logoTable_, chars_);
            if (!modified)
                chars_.ClearModified();
            service_->LoadCharEditor();
            service_->CharsChanged();
            DrawLogoPreview();
            Log(tr("Zweryfikuj wygląd logo na podglądzie. Aby zaprogramować logo, naciśnij przycisk "
                   "[Programuj]."));
        } else {
            Log(tr("Na ekranie nie ma żadnego znaku logo - nie ma czego programować."));
        }
    } else {
        Log(tr("Bieżące logo wymaga użycia większej ilości znaków niż %1. Proszę np. zmniejszyć rozmiar "
               "logo.")
                .arg(LOGO_MAX_TILES));
        dialogs_->Message(Window(), tr("Błąd generowania obrazu logo."));
    }
    UpdateLogoControls();
    bar->hide();
}

void TLogoPage::ButtonLogoProgramClick() {
    const bool program = logoBitmap_ && IsLogoGenerated(logoTable_);
    // Removing replaces the glyph image, as loading a glyph set does.
    if (!program && service_->UnsavedCharsCancelled())
        return;
    Log(QString());
    Log(tr("Trwa programowanie..."));
    QProgressBar* bar = ui_->ProgressBarLogoProgress;
    bar->setValue(0);
    bar->show();
    TLongSequence sequence(*line_, *bar);
    if (program)
        ProgramLogo(sequence);
    else
        RemoveLogo(sequence);
    sequence.WaitForLine();
    bar->hide();
    if (sequence.Cancelled())
        Log(tr("Przerwano po %1 z %2 znaków.").arg(sequence.Done()).arg(sequence.Total()));
    else
        Log(tr("Zakończono"));
}

void TLogoPage::ProgramLogo(TLongSequence& progress) {
    TKR7& device = *device_;
    device.ClearScreen();
    device.SetMode(MODE_TEXT);
    device.SetStoredMode(MODE_TEXT);
    SendLogoRows(device, logoTable_);
    SendLogoTiles(device, logoTable_, &progress);
    if (!progress.Cancelled())
        device.StoreScreen();
}

void TLogoPage::RemoveLogo(TLongSequence& progress) {
    TKR7& device = *device_;
    device.ClearScreen();
    device.SetMode(MODE_CROSS);
    device.SetStoredMode(MODE_CROSS);
    service_->CharsReplaced(charsDefault_);
    SendCharsBitmap(device, chars_.Image(), LOGO_FIRST_CODE, &progress, 255);
    if (!progress.Cancelled())
        device.StoreScreen();
}

void TLogoPage::ButtonLogoShowClick() {
    SendLogoRows(*device_, logoTable_);
}
