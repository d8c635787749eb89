// The Logo page's buttons: import of the working picture, generation of the
// logo table, programming and removal of the logo, showing it.
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "KR7.h"
#include "LogoSequences.h"
#include "LogoTable.h"
#include "PictureFile.h"
#include "logo/LogoPage.h"
#include "logo/PictureFaultText.h"
#include "platform/Dialogs.h"
#include "sequence/LongSequence.h"
#include "sequence/ProgressBarAdapter.h"
#include "shell/Preview.h"
#include "shell/WindowServices.h"
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
        ClearLogo();
        return false;
    }
    return true;
}

void TLogoPage::ImportLogoPicture(const QImage& picture) {
    Log(tr("Wczytywanie pliku graficznego powiodło się."));
    document_.Import(picture);
    ShowDocument();
}

void TLogoPage::ButtonLogoClearClick() {
    ClearLogo();
}

void TLogoPage::ButtonLogoCalculateClick() {
    Log(QString());
    Log(tr("Generowanie tablicy znaków..."));
    QProgressBar* bar = ui_->ProgressBarLogoProgress;
    bar->setValue(0);
    bar->show();
    TProgressBarAdapter progress(bar);
    const TLogoGeneration generation = document_.Generate(&progress);
    ui_->ImageLogo->update();
    const TLogoTable& table = document_.Table();
    const bool built = generation.built;
    const int count = generation.tiles;
    if (built) {
        const int percent = LogoUsagePercent(count);
        Log(tr("Logo wygenerowane pomyślnie."));
        Log(tr("Bieżące logo wykorzystuje %1 znaków z dostępnych %2 (%3%).")
                .arg(count)
                .arg(LOGO_MAX_TILES)
                .arg(percent));
        if (IsLogoGenerated(table)) {
            // The tiles are no edit of the user's, but earlier unsaved edits stay marked.
            const bool modified = chars_.Modified();
            DrawLogoTiles(table, chars_);
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
    const bool program = document_.Generated();
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
    // Cut short (Esc, the cancel button, a close, the device gone): said at
    // once, while the bar goes on showing the bytes still on the line.
    const bool interrupted = sequence.Cancelled();
    if (interrupted)
        Log(tr("Przerwano po %1 z %2 znaków.").arg(sequence.Done()).arg(sequence.Total()));
    sequence.WaitForLine();
    bar->hide();
    if (!interrupted)
        Log(tr("Zakończono"));
}

void TLogoPage::ProgramLogo(TLongSequence& progress) {
    SendLogoProgram(*device_, document_.Table(), &progress);
}

void TLogoPage::RemoveLogo(TLongSequence& progress) {
    service_->CharsReplaced(charsDefault_);
    SendLogoRemoval(*device_, chars_.Image(), &progress);
}

void TLogoPage::ButtonLogoShowClick() {
    SendLogoShow(*device_, document_.Table());
}
