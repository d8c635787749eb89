// The window's Logo page: import, placement, reduction, generation of the
// logo table, programming and the Logo section of the settings file.
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "IniFile.h"
#include "KR7.h"
#include "Kr7unit1.h"
#include "LogoImage.h"
#include "LogoTable.h"
#include "LongSequence.h"
#include "PictureFile.h"
#include "Preview.h"
#include "ProgressBarAdapter.h"
#include "ServicePage.h"
#include "ui_Kr7unit1.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <exception>

namespace {

const char* const kLogo = "Logo";
const QString kPictureFilter =
    QStringLiteral("Wszystkie / All|*.bmp;*.jpg;*.jpeg;*.png|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg|"
                   "PNG (*.png)|*.png");

// The log line that says why a picture was not imported.
QString PictureFaultText(TPictureFault fault) {
    switch (fault) {
    case TPictureFault::UnknownFormat:
        return QStringLiteral("Nieznany format pliku.");
    case TPictureFault::CannotOpen:
        return QStringLiteral("Nie można otworzyć pliku.");
    case TPictureFault::TooLarge:
        return QStringLiteral("Obraz jest za duży.");
    case TPictureFault::Damaged:
    case TPictureFault::None:
        break;
    }
    return QStringLiteral("Plik jest uszkodzony lub niepełny.");
}

int ClampSize(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 1, 1000));
}

// 0x00BBGGRR, the form the settings file keeps colours in.
int ColourToInt(const QColor& c) {
    return c.red() | c.green() << 8 | c.blue() << 16;
}
QColor IntToColour(int v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

// ---- Set-up --------------------------------------------------------------------

void TFormKR7::InitLogoPage() {
    NewScreenBitmap(logoView_);
    ui_->ImageLogo->SetImage(&logoView_);
    ui_->ProgressBarLogoProgress->hide();
    AddCancelButton(*ui_->ProgressBarLogoProgress, QStringLiteral("Anuluj"));
    ui_->ImageLogo->installEventFilter(this);
    ui_->ImageLogo->setMouseTracking(true);
    ui_->ShapeLogoTransparentColor->installEventFilter(this);
    SetLogoTransparentColor(logoTransparentColor_);
}

void TFormKR7::ConnectLogoHandlers() {
    Ui::TFormKR7* ui = ui_.get();
    connect(ui->ButtonLogoLoad, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoLoadClick);
    connect(ui->ButtonLogoClear, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoClearClick);
    connect(ui->ButtonLogoCalculate, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoCalculateClick);
    connect(ui->ButtonLogoProgram, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoProgramClick);
    connect(ui->ButtonLogoProgramClear, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoProgramClick);
    connect(ui->ButtonLogoShow, &QAbstractButton::clicked, this, &TFormKR7::ButtonLogoShowClick);

    connect(ui->ScrollBarLogoPosX, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarLogoPosXChange);
    connect(ui->ScrollBarLogoPosY, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarLogoPosYChange);
    connect(ui->ScrollBarLogoWidth, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarLogoWidthChange);
    connect(ui->ScrollBarLogoHeight, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarLogoHeightChange);
    connect(ui->ScrollBarLogoLevelBW, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarLogoLevelBWChange);
    connect(ui->ScrollBarLogoTransparentColorTolerance, &QScrollBar::valueChanged, this,
            &TFormKR7::ScrollBarLogoTransparentColorToleranceChange);

    connect(ui->CheckBoxLogoProportional, &QAbstractButton::toggled, this, &TFormKR7::CheckBoxLogoProportionalClick);
    connect(ui->CheckBoxLogoTransparentColor, &QAbstractButton::toggled, this,
            &TFormKR7::CheckBoxLogoTransparentColorClick);
    connect(ui->CheckBoxLogoNegative, &QAbstractButton::toggled, this, &TFormKR7::CheckBoxLogoNegativeClick);
    connect(ui->CheckBoxLogoShowGrid, &QAbstractButton::toggled, this, &TFormKR7::CheckBoxLogoShowGridClick);
    // A switch between two modes toggles both buttons; the one switched on
    // runs the handler, and so does the last one switched off when none is left.
    for (QRadioButton* radio : {ui->RadioButtonLogoColor0, ui->RadioButtonLogoColor1, ui->RadioButtonLogoColor2}) {
        connect(radio, &QAbstractButton::toggled, this, [this](bool on) {
            const bool none = !ui_->RadioButtonLogoColor0->isChecked() && !ui_->RadioButtonLogoColor1->isChecked() &&
                              !ui_->RadioButtonLogoColor2->isChecked();
            if (on || none)
                RadioButtonLogoColorClick();
        });
    }

    connect(ui->SpeedButtonLogoRestoreWidth, &QAbstractButton::clicked, this,
            &TFormKR7::SpeedButtonLogoRestoreWidthClick);
    connect(ui->SpeedButtonLogoRestoreHeight, &QAbstractButton::clicked, this,
            &TFormKR7::SpeedButtonLogoRestoreHeightClick);
    connect(ui->SpeedButtonLogoCenterPosX, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoCenterPosXClick);
    connect(ui->SpeedButtonLogoCenterPosY, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoCenterPosYClick);
    connect(ui->SpeedButtonLogoLeft, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoLeftClick);
    connect(ui->SpeedButtonLogoRight, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoRightClick);
    connect(ui->SpeedButtonLogoTop, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoTopClick);
    connect(ui->SpeedButtonLogoBottom, &QAbstractButton::clicked, this, &TFormKR7::SpeedButtonLogoBottomClick);
}

// ---- Mouse ---------------------------------------------------------------------

bool TFormKR7::LogoEventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (!press && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == ui_->ShapeLogoTransparentColor) {
        if (press)
            ShapeLogoTransparentColorMouseDown(mouse->button());
        return press;
    }
    if (watched != ui_->ImageLogo)
        return false;
    const QPoint pos = mouse->position().toPoint();
    if (press)
        ImageLogoMouseDown(mouse->button(), pos);
    else if (type == QEvent::MouseMove)
        ImageLogoMouseMove(pos);
    else
        ImageLogoMouseUp(mouse->button(), pos);
    return true;
}

void TFormKR7::ImageLogoMouseDown(Qt::MouseButton button, QPoint pos) {
    if (LogoPicking || button != Qt::LeftButton || !logoBitmap_ || !IsInLogoPicture(pos.x(), pos.y()))
        return;
    LogoDragMouse = pos;
    LogoDragOrigin = QPoint(ui_->ScrollBarLogoPosX->value(), ui_->ScrollBarLogoPosY->value());
    LogoDragging = true;
}

void TFormKR7::ImageLogoMouseMove(QPoint pos) {
    if (LogoPicking) {
        // The mouse is grabbed by the view while picking; positions outside it
        // are held to its edge, so the pick stays on the picture.
        const int x = std::clamp(pos.x(), 0, logoView_.width() - 1);
        const int y = std::clamp(pos.y(), 0, logoView_.height() - 1);
        SetLogoTransparentColor(QColor::fromRgb(logoView_.pixel(x, y)));
        return;
    }
    if (IsInLogoPicture(pos.x(), pos.y()))
        ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    else
        ui_->ImageLogo->unsetCursor();
    if (!LogoDragging)
        return;
    ui_->ScrollBarLogoPosX->setValue(pos.x() + LogoDragOrigin.x() - LogoDragMouse.x());
    ui_->ScrollBarLogoPosY->setValue(pos.y() + LogoDragOrigin.y() - LogoDragMouse.y());
}

void TFormKR7::ImageLogoMouseUp(Qt::MouseButton button, QPoint pos) {
    if (button != Qt::LeftButton)
        return;
    if (!LogoPicking) {
        LogoDragging = false;
        return;
    }
    // The view holds the grab from the press on the swatch, so the release
    // of that click arrives here too, outside the view: picking goes on
    // until a release over the view, which takes the colour under it.
    if (!ui_->ImageLogo->rect().contains(pos))
        return;
    ImageLogoMouseMove(pos);
    LogoPicking = false;
    ui_->ImageLogo->releaseMouse();
    ui_->ImageLogo->unsetCursor();
    RenderLogo(false, false);
}

void TFormKR7::ShapeLogoTransparentColorMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        const std::optional<QColor> chosen = dialogs_->PickColour(this, logoTransparentColor_);
        if (!chosen)
            return;
        SetLogoTransparentColor(*chosen);
        RenderLogo(false, false);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    // There is no pointer confinement on every desktop: the view grabs the
    // mouse instead and the positions it reads are held to its edges.
    ui_->ImageLogo->grabMouse(Qt::PointingHandCursor);
    ui_->ImageLogo->setCursor(Qt::PointingHandCursor);
    LogoPicking = true;
    RenderLogo(true, true);
}

void TFormKR7::SetLogoTransparentColor(const QColor& colour) {
    logoTransparentColor_ = QColor(colour.red(), colour.green(), colour.blue());
    ui_->ShapeLogoTransparentColor->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid black;").arg(logoTransparentColor_.name()));
}

// ---- Settings handlers ---------------------------------------------------------

void TFormKR7::ScrollBarLogoPosXChange() {
    ui_->LabelLogoPosX->setText(QString::number(ui_->ScrollBarLogoPosX->value()));
    RenderLogo(false, false);
}

void TFormKR7::ScrollBarLogoPosYChange() {
    ui_->LabelLogoPosY->setText(QString::number(ui_->ScrollBarLogoPosY->value()));
    RenderLogo(false, false);
}

void TFormKR7::ScrollBarLogoWidthChange() {
    if (ui_->CheckBoxLogoProportional->isChecked() && logoBitmap_ && logoBitmap_->width() > 0) {
        const long long width = ui_->ScrollBarLogoWidth->value();
        ui_->ScrollBarLogoHeight->setValue(ClampSize(logoBitmap_->height() * width / logoBitmap_->width()));
    }
    ui_->LabelLogoWidth->setText(QString::number(ui_->ScrollBarLogoWidth->value()));
    RenderLogo(false, false);
}

void TFormKR7::ScrollBarLogoHeightChange() {
    ui_->LabelLogoHeight->setText(QString::number(ui_->ScrollBarLogoHeight->value()));
    ui_->ScrollBarLogoHeight->setEnabled(!ui_->CheckBoxLogoProportional->isChecked() && logoBitmap_.has_value());
    RenderLogo(false, false);
}

void TFormKR7::CheckBoxLogoProportionalClick() {
    UpdateLogoControls();
    ScrollBarLogoWidthChange();
}

void TFormKR7::SpeedButtonLogoRestoreWidthClick() {
    if (logoBitmap_)
        ui_->ScrollBarLogoWidth->setValue(ClampSize(logoBitmap_->width()));
}

void TFormKR7::SpeedButtonLogoRestoreHeightClick() {
    if (logoBitmap_)
        ui_->ScrollBarLogoHeight->setValue(ClampSize(logoBitmap_->height()));
}

void TFormKR7::SpeedButtonLogoCenterPosXClick() {
    QScrollBar* posX = ui_->ScrollBarLogoPosX;
    posX->setValue((SCREEN_WIDTH - ui_->ScrollBarLogoWidth->value()) / 2);
    if (!ui_->CheckBoxLogoTransparentColor->isChecked())
        return;
    const int left = LogoMarginLeft(logoView_);
    const int right = LogoMarginRight(logoView_);
    posX->setValue(posX->value() - left + (left + right) / 2);
}

void TFormKR7::SpeedButtonLogoCenterPosYClick() {
    QScrollBar* posY = ui_->ScrollBarLogoPosY;
    posY->setValue((SCREEN_HEIGHT - ui_->ScrollBarLogoHeight->value()) / 2);
    if (!ui_->CheckBoxLogoTransparentColor->isChecked())
        return;
    const int top = LogoMarginTop(logoView_);
    const int bottom = LogoMarginBottom(logoView_);
    posY->setValue(posY->value() - top + (top + bottom) / 2);
}

void TFormKR7::SpeedButtonLogoLeftClick() {
    QScrollBar* posX = ui_->ScrollBarLogoPosX;
    posX->setValue(0);
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        posX->setValue(posX->value() - LogoMarginLeft(logoView_));
}

void TFormKR7::SpeedButtonLogoRightClick() {
    QScrollBar* posX = ui_->ScrollBarLogoPosX;
    posX->setValue(SCREEN_WIDTH - ui_->ScrollBarLogoWidth->value());
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        posX->setValue(posX->value() + LogoMarginRight(logoView_));
}

void TFormKR7::SpeedButtonLogoTopClick() {
    QScrollBar* posY = ui_->ScrollBarLogoPosY;
    posY->setValue(0);
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        posY->setValue(posY->value() - LogoMarginTop(logoView_));
}

void TFormKR7::SpeedButtonLogoBottomClick() {
    QScrollBar* posY = ui_->ScrollBarLogoPosY;
    posY->setValue(SCREEN_HEIGHT - ui_->ScrollBarLogoHeight->value());
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        posY->setValue(posY->value() + LogoMarginBottom(logoView_));
}

void TFormKR7::ScrollBarLogoLevelBWChange() {
    ui_->LabelLogoLevelBWValue->setText(QStringLiteral("%1%").arg(ui_->ScrollBarLogoLevelBW->value()));
    RenderLogo(false, false);
}

void TFormKR7::ScrollBarLogoTransparentColorToleranceChange() {
    ui_->LabelLogoTransparentColorToleranceValue->setText(
        QStringLiteral("%1%").arg(ui_->ScrollBarLogoTransparentColorTolerance->value()));
    RenderLogo(false, false);
}

void TFormKR7::RadioButtonLogoColorClick() {
    UpdateLogoControls();
    RenderLogo(false, false);
}

void TFormKR7::CheckBoxLogoTransparentColorClick() {
    UpdateLogoControls();
    RenderLogo(false, false);
}

void TFormKR7::CheckBoxLogoNegativeClick() {
    RenderLogo(false, false);
}

void TFormKR7::CheckBoxLogoShowGridClick() {
    RenderLogo(false, false);
}

// Sets the three mode buttons as a restored settings file gives them; the
// last one that is on wins, and none may be on.
void TFormKR7::SetLogoMode(bool color0, bool color1, bool color2) {
    std::array<QRadioButton*, 3> radios = {ui_->RadioButtonLogoColor0, ui_->RadioButtonLogoColor1,
                                           ui_->RadioButtonLogoColor2};
    const int chosen = color2 ? 2 : color1 ? 1 : color0 ? 0 : -1;
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(false);
    for (int i = 0; i < 3; ++i) {
        if (i != chosen)
            radios[static_cast<std::size_t>(i)]->setChecked(false);
    }
    if (chosen >= 0)
        radios[static_cast<std::size_t>(chosen)]->setChecked(true);
    for (QRadioButton* radio : radios)
        radio->setAutoExclusive(true);
}

// ---- Render and state ----------------------------------------------------------

void TFormKR7::RenderLogo(bool withoutGrid, bool unprocessed) {
    if (!logoBitmap_)
        return;
    TLogoRenderParams params;
    params.posX = ui_->ScrollBarLogoPosX->value();
    params.posY = ui_->ScrollBarLogoPosY->value();
    params.width = ui_->ScrollBarLogoWidth->value();
    params.height = ui_->ScrollBarLogoHeight->value();
    params.grid = !withoutGrid && ui_->CheckBoxLogoShowGrid->isChecked();
    params.unprocessed = unprocessed;
    if (ui_->RadioButtonLogoColor0->isChecked())
        params.mode = (100 - ui_->ScrollBarLogoLevelBW->value()) * 255 / 100;
    else if (ui_->RadioButtonLogoColor1->isChecked())
        params.mode = LOGO_MODE_MOSAIC;
    else if (ui_->RadioButtonLogoColor2->isChecked())
        params.mode = LOGO_MODE_MIXING;
    else
        params.mode = LOGO_MODE_NONE;
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        params.background = logoTransparentColor_.rgb() & 0xFFFFFF;
    params.negative = ui_->CheckBoxLogoNegative->isChecked();
    params.allowance = 100 - ui_->ScrollBarLogoTransparentColorTolerance->value();
    try {
        RenderLogoView(logoView_, *logoBitmap_, params, logoScaled_);
    } catch (const std::exception&) {
        // a render that fails leaves the view as far as it got
    }
    ui_->ImageLogo->update();
}

void TFormKR7::UpdateLogoControls() {
    Ui::TFormKR7* ui = ui_.get();
    const bool loaded = logoBitmap_.has_value();
    const bool generated = loaded && IsLogoGenerated(logoTable_);
    const bool proportional = ui->CheckBoxLogoProportional->isChecked();
    const bool transparent = ui->CheckBoxLogoTransparentColor->isChecked();

    for (QWidget* w : std::initializer_list<QWidget*>{ui->ScrollBarLogoPosX,
                                                      ui->ScrollBarLogoPosY,
                                                      ui->ScrollBarLogoWidth,
                                                      ui->LabelLogoPosX,
                                                      ui->LabelLogoPosY,
                                                      ui->LabelLogoWidth,
                                                      ui->LabelLogoPosXCaption,
                                                      ui->LabelLogoPosYCaption,
                                                      ui->LabelLogoWidthCaption,
                                                      ui->SpeedButtonLogoCenterPosX,
                                                      ui->SpeedButtonLogoCenterPosY,
                                                      ui->SpeedButtonLogoRestoreWidth,
                                                      ui->SpeedButtonLogoLeft,
                                                      ui->SpeedButtonLogoRight,
                                                      ui->SpeedButtonLogoTop,
                                                      ui->SpeedButtonLogoBottom,
                                                      ui->CheckBoxLogoProportional,
                                                      ui->CheckBoxLogoShowGrid,
                                                      ui->GroupBoxLogoColorSettings,
                                                      ui->RadioButtonLogoColor0,
                                                      ui->RadioButtonLogoColor1,
                                                      ui->RadioButtonLogoColor2,
                                                      ui->CheckBoxLogoTransparentColor,
                                                      ui->CheckBoxLogoNegative,
                                                      ui->ButtonLogoClear,
                                                      ui->ButtonLogoCalculate})
        w->setEnabled(loaded);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->ScrollBarLogoHeight, ui->LabelLogoHeight,
                                                      ui->LabelLogoHeightCaption, ui->SpeedButtonLogoRestoreHeight})
        w->setEnabled(loaded && !proportional);
    ui->ShapeLogoTransparentColor->setVisible(loaded && transparent);
    ui->ScrollBarLogoTransparentColorTolerance->setEnabled(loaded && transparent);
    ui->LabelLogoTransparentColorToleranceValue->setEnabled(loaded && transparent);
    ui->ScrollBarLogoLevelBW->setEnabled(loaded && ui->RadioButtonLogoColor0->isChecked());
    ui->LabelLogoLevelBWValue->setEnabled(loaded && ui->RadioButtonLogoColor0->isChecked());
    ui->ButtonLogoLoad->setEnabled(!loaded);
    ui->ButtonLogoProgram->setVisible(loaded);
    ui->ButtonLogoProgram->setEnabled(generated);
    ui->ButtonLogoProgramClear->setVisible(!loaded);
    ui->ButtonLogoShow->setEnabled(generated);
}

void TFormKR7::ClearLogo() {
    logoBitmap_.reset();
    NewScreenBitmap(logoView_);
    ui_->ImageLogo->update();
    ClearLogoTable(logoTable_);
    UpdateLogoControls();
}

bool TFormKR7::IsInLogoPicture(int x, int y) const {
    const int posX = ui_->ScrollBarLogoPosX->value();
    const int posY = ui_->ScrollBarLogoPosY->value();
    return posX <= x && x < posX + ui_->ScrollBarLogoWidth->value() && posY <= y &&
           y < posY + ui_->ScrollBarLogoHeight->value();
}

void TFormKR7::DrawLogoPreview() {
    const TLogoTable& table = logoTable_;
    for (std::size_t i = 0; i < table.LogoRows.size(); ++i) {
        const std::string& row = table.LogoRows[i];
        for (std::size_t j = 0; j < row.size(); ++j)
            preview_->DrawCode(table.LogoOrigin.column + static_cast<int>(j),
                               table.LogoOrigin.row + static_cast<int>(i), static_cast<unsigned char>(row[j]));
    }
}

// ---- Buttons -------------------------------------------------------------------

void TFormKR7::ButtonLogoLoadClick() {
    const QString fileName = dialogs_->OpenFile(this, TFileDialog::LogoPicture, logoImportName_, kPictureFilter);
    if (fileName.isEmpty())
        return;
    logoImportName_ = fileName;
    Log(QString());
    Log(QStringLiteral("Wczytywanie pliku graficznego..."));
    const TPictureResult loaded = LoadPicture(fileName);
    if (!loaded.Ok()) {
        Log(PictureFaultText(loaded.fault));
        return;
    }
    try {
        ImportLogoPicture(loaded.image);
    } catch (const std::exception& error) {
        Log(QString());
        Log(QStringLiteral("Wystąpił błąd podczas odczytu pliku graficznego.\n%1")
                .arg(QString::fromLocal8Bit(error.what())));
        logoBitmap_.reset();
        UpdateLogoControls();
    }
}

void TFormKR7::ImportLogoPicture(const QImage& picture) {
    Log(QStringLiteral("Wczytywanie pliku graficznego powiodło się."));
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

void TFormKR7::ButtonLogoClearClick() {
    ClearLogo();
    ClearLogoTable(logoTable_);
    UpdateLogoControls();
}

void TFormKR7::ButtonLogoCalculateClick() {
    Log(QString());
    Log(QStringLiteral("Generowanie tablicy znaków..."));
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
        Log(QStringLiteral("Logo wygenerowane pomyślnie."));
        Log(QStringLiteral("Bieżące logo wykorzystuje %1 znaków z dostępnych %2 (%3%).")
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
            Log(QStringLiteral("Zweryfikuj wygląd logo na podglądzie. Aby zaprogramować logo, naciśnij przycisk "
                               "[Programuj]."));
        } else {
            Log(QStringLiteral("Na ekranie nie ma żadnego znaku logo - nie ma czego programować."));
        }
    } else {
        Log(QStringLiteral("Bieżące logo wymaga użycia większej ilości znaków niż %1. Proszę np. zmniejszyć rozmiar "
                           "logo.")
                .arg(LOGO_MAX_TILES));
        dialogs_->Message(this, QStringLiteral("Błąd generowania obrazu logo."));
    }
    UpdateLogoControls();
    bar->hide();
}

void TFormKR7::ButtonLogoProgramClick() {
    const bool program = logoBitmap_ && IsLogoGenerated(logoTable_);
    // Removing replaces the glyph image, as loading a glyph set does.
    if (!program && service_->UnsavedCharsCancelled())
        return;
    Log(QString());
    Log(QStringLiteral("Trwa programowanie..."));
    QProgressBar* bar = ui_->ProgressBarLogoProgress;
    bar->setValue(0);
    bar->show();
    TLongSequence sequence(*line_, *bar);
    if (program)
        ProgramLogo(sequence);
    else
        RemoveLogo(sequence);
    bar->hide();
    if (sequence.Cancelled())
        Log(QStringLiteral("Przerwano po %1 z %2 znaków.").arg(sequence.Done()).arg(sequence.Total()));
    else
        Log(QStringLiteral("Zakończono"));
}

void TFormKR7::ProgramLogo(TLongSequence& progress) {
    TKR7& device = *device_;
    device.ClearScreen();
    device.SetMode(MODE_TEXT);
    device.SetStoredMode(MODE_TEXT);
    SendLogoRows(device, logoTable_);
    SendLogoTiles(device, logoTable_, &progress);
    if (!progress.Cancelled())
        device.StoreScreen();
}

void TFormKR7::RemoveLogo(TLongSequence& progress) {
    TKR7& device = *device_;
    device.ClearScreen();
    device.SetMode(MODE_CROSS);
    device.SetStoredMode(MODE_CROSS);
    service_->CharsReplaced(charsDefault_);
    SendCharsBitmap(device, chars_.Image(), LOGO_FIRST_CODE, &progress, 255);
    if (!progress.Cancelled())
        device.StoreScreen();
}

void TFormKR7::ButtonLogoShowClick() {
    SendLogoRows(*device_, logoTable_);
}

// ---- Settings file -------------------------------------------------------------

void TFormKR7::LoadLogoSettings(TIniFile& ini) {
    if (!ini.ReadBool(kLogo, "Loaded", false))
        return;
    QImage picture;
    if (!LoadPictureFile(picture, LogoBitmapPath()))
        return; // a lost or broken picture file: no picture, no message
    try {
        logoBitmap_ = std::move(picture);
        ui_->ScrollBarLogoPosX->setValue(ini.ReadInteger(kLogo, "PosX", 0));
        ui_->ScrollBarLogoPosY->setValue(ini.ReadInteger(kLogo, "PosY", 0));
        ui_->ScrollBarLogoWidth->setValue(ini.ReadInteger(kLogo, "Width", 1));
        ui_->ScrollBarLogoHeight->setValue(ini.ReadInteger(kLogo, "Height", 1));
        ui_->CheckBoxLogoProportional->setChecked(ini.ReadBool(kLogo, "Proportional", true));
        ui_->CheckBoxLogoShowGrid->setChecked(ini.ReadBool(kLogo, "ShowGrid", false));
        ui_->CheckBoxLogoNegative->setChecked(ini.ReadBool(kLogo, "Negative", false));
        const bool color0 = ini.ReadBool(kLogo, "Color0", true);
        const bool color1 = ini.ReadBool(kLogo, "Color1", false);
        const bool color2 = ini.ReadBool(kLogo, "Color2", false);
        SetLogoMode(color0, color1, color2);
        ui_->CheckBoxLogoTransparentColor->setChecked(ini.ReadBool(kLogo, "Transparent", false));
        const QColor colour = IntToColour(ini.ReadInteger(kLogo, "TransparentColor", 0x00FF00));
        if (colour != logoTransparentColor_) {
            SetLogoTransparentColor(colour);
            RenderLogo(false, false);
        }
        ui_->ScrollBarLogoLevelBW->setValue(ini.ReadInteger(kLogo, "LevelBW", 50));
        ui_->ScrollBarLogoTransparentColorTolerance->setValue(ini.ReadInteger(kLogo, "TransparentColorTolerance", 100));
        RenderLogo(false, false); // also when every restored value equalled the designed one
    } catch (const std::exception&) {
        logoBitmap_.reset();
        NewScreenBitmap(logoView_);
        ui_->ImageLogo->update();
    }
}

void TFormKR7::SaveLogoSettings(TIniFile& ini, bool& ok) {
    ok = ok && ini.WriteBool(kLogo, "Loaded", logoBitmap_.has_value());
    if (!ok || !logoBitmap_)
        return;
    ok = SaveBmp32File(*logoBitmap_, LogoBitmapPath());
    ok = ok && ini.WriteInteger(kLogo, "PosX", ui_->ScrollBarLogoPosX->value()) &&
         ini.WriteInteger(kLogo, "PosY", ui_->ScrollBarLogoPosY->value()) &&
         ini.WriteInteger(kLogo, "Width", ui_->ScrollBarLogoWidth->value()) &&
         ini.WriteInteger(kLogo, "Height", ui_->ScrollBarLogoHeight->value()) &&
         ini.WriteBool(kLogo, "Proportional", ui_->CheckBoxLogoProportional->isChecked()) &&
         ini.WriteBool(kLogo, "ShowGrid", ui_->CheckBoxLogoShowGrid->isChecked()) &&
         ini.WriteBool(kLogo, "Negative", ui_->CheckBoxLogoNegative->isChecked()) &&
         ini.WriteBool(kLogo, "Color0", ui_->RadioButtonLogoColor0->isChecked()) &&
         ini.WriteBool(kLogo, "Color1", ui_->RadioButtonLogoColor1->isChecked()) &&
         ini.WriteBool(kLogo, "Color2", ui_->RadioButtonLogoColor2->isChecked()) &&
         ini.WriteBool(kLogo, "Transparent", ui_->CheckBoxLogoTransparentColor->isChecked()) &&
         ini.WriteInteger(kLogo, "TransparentColor", ColourToInt(logoTransparentColor_)) &&
         ini.WriteInteger(kLogo, "LevelBW", ui_->ScrollBarLogoLevelBW->value()) &&
         ini.WriteInteger(kLogo, "TransparentColorTolerance", ui_->ScrollBarLogoTransparentColorTolerance->value());
}
