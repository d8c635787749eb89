// The Logo page: set-up, its controls' connections, the logo view and the
// Logo section of the settings file with the working picture's file.
#include "LogoPage.h"

#include "Glyphs.h"
#include "IniFile.h"
#include "LogoImage.h"
#include "LogoTable.h"
#include "LongSequence.h"
#include "PictureFile.h"
#include "Preview.h"
#include "RecentMenu.h"
#include "WindowServices.h"
#include "ui_Kr7unit1.h"

#include <QScrollBar>

#include <exception>

namespace {

const char* const LOGO = "Logo";

// 0x00BBGGRR, the form the settings file keeps colours in.
int ColourToInt(const QColor& c) {
    return c.red() | c.green() << 8 | c.blue() << 16;
}
QColor IntToColour(int v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

// ---- Set-up --------------------------------------------------------------------

TLogoPage::TLogoPage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault,
                     const QString& bitmapPath)
    : ui_(&ui), device_(&services.device), log_(&services.log), dialogs_(&services.dialogs),
      preview_(&services.preview), service_(&services.glyphs), line_(&services.line), chars_(chars),
      charsDefault_(charsDefault), bitmapPath_(bitmapPath) {
    NewScreenBitmap(logoView_);
    ui_->ImageLogo->SetImage(&logoView_);
    ui_->ProgressBarLogoProgress->hide();
    AddCancelButton(*ui_->ProgressBarLogoProgress, tr("Anuluj"));
    ui_->ImageLogo->installEventFilter(this);
    ui_->ImageLogo->setMouseTracking(true);
    ui_->ShapeLogoTransparentColor->installEventFilter(this);
    ui_->ImageLogo->setAcceptDrops(true);
    SetLogoTransparentColor(logoTransparentColor_);
    ConnectHandlers();
}

QWidget* TLogoPage::Window() const {
    return ui_->TabSheetLogo->window();
}

void TLogoPage::Log(const QString& line) {
    log_->Log(line);
}

bool TLogoPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ImageLogo && DropEvent(event))
        return true;
    if (MouseEvent(watched, event))
        return true;
    if (KeyEvent(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}

void TLogoPage::ConnectHandlers() {
    Ui::TFormKR7* ui = ui_;
    connect(ui->ButtonLogoLoad, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoLoadClick);
    AddRecentMenu(*ui->ButtonLogoLoad, *dialogs_, TFileDialog::LogoPicture,
                  [this](const QString& fileName) { RecentLogoFileClick(fileName); });
    connect(ui->ButtonLogoClear, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoClearClick);
    connect(ui->ButtonLogoCalculate, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoCalculateClick);
    connect(ui->ButtonLogoProgram, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoProgramClick);
    connect(ui->ButtonLogoProgramClear, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoProgramClick);
    connect(ui->ButtonLogoShow, &QAbstractButton::clicked, this, &TLogoPage::ButtonLogoShowClick);

    connect(ui->ScrollBarLogoPosX, &QScrollBar::valueChanged, this, &TLogoPage::ScrollBarLogoPosXChange);
    connect(ui->ScrollBarLogoPosY, &QScrollBar::valueChanged, this, &TLogoPage::ScrollBarLogoPosYChange);
    connect(ui->ScrollBarLogoWidth, &QScrollBar::valueChanged, this, &TLogoPage::ScrollBarLogoWidthChange);
    connect(ui->ScrollBarLogoHeight, &QScrollBar::valueChanged, this, &TLogoPage::ScrollBarLogoHeightChange);
    connect(ui->ScrollBarLogoLevelBW, &QScrollBar::valueChanged, this, &TLogoPage::ScrollBarLogoLevelBWChange);
    connect(ui->ScrollBarLogoTransparentColorTolerance, &QScrollBar::valueChanged, this,
            &TLogoPage::ScrollBarLogoTransparentColorToleranceChange);

    connect(ui->CheckBoxLogoProportional, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoProportionalClick);
    connect(ui->CheckBoxLogoTransparentColor, &QAbstractButton::toggled, this,
            &TLogoPage::CheckBoxLogoTransparentColorClick);
    connect(ui->CheckBoxLogoNegative, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoNegativeClick);
    connect(ui->CheckBoxLogoShowGrid, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoShowGridClick);
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
            &TLogoPage::SpeedButtonLogoRestoreWidthClick);
    connect(ui->SpeedButtonLogoRestoreHeight, &QAbstractButton::clicked, this,
            &TLogoPage::SpeedButtonLogoRestoreHeightClick);
    connect(ui->SpeedButtonLogoCenterPosX, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoCenterPosXClick);
    connect(ui->SpeedButtonLogoCenterPosY, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoCenterPosYClick);
    connect(ui->SpeedButtonLogoLeft, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoLeftClick);
    connect(ui->SpeedButtonLogoRight, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoRightClick);
    connect(ui->SpeedButtonLogoTop, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoTopClick);
    connect(ui->SpeedButtonLogoBottom, &QAbstractButton::clicked, this, &TLogoPage::SpeedButtonLogoBottomClick);
}

// ---- Render and state ----------------------------------------------------------

void TLogoPage::RenderLogo(bool withoutGrid, bool unprocessed) {
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

void TLogoPage::UpdateLogoControls() {
    Ui::TFormKR7* ui = ui_;
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

void TLogoPage::ClearLogo() {
    logoBitmap_.reset();
    NewScreenBitmap(logoView_);
    ui_->ImageLogo->update();
    ClearLogoTable(logoTable_);
    UpdateLogoControls();
}

bool TLogoPage::IsInLogoPicture(int x, int y) const {
    const int posX = ui_->ScrollBarLogoPosX->value();
    const int posY = ui_->ScrollBarLogoPosY->value();
    return posX <= x && x < posX + ui_->ScrollBarLogoWidth->value() && posY <= y &&
           y < posY + ui_->ScrollBarLogoHeight->value();
}

void TLogoPage::RedrawPreview() {
    if (IsLogoGenerated(logoTable_))
        DrawLogoPreview();
}

void TLogoPage::DrawLogoPreview() {
    const TLogoTable& table = logoTable_;
    for (std::size_t i = 0; i < table.LogoRows.size(); ++i) {
        const std::string& row = table.LogoRows[i];
        for (std::size_t j = 0; j < row.size(); ++j)
            preview_->DrawCode(table.LogoOrigin.column + static_cast<int>(j),
                               table.LogoOrigin.row + static_cast<int>(i), static_cast<unsigned char>(row[j]));
    }
}

// ---- Settings file -------------------------------------------------------------

void TLogoPage::Load(TIniFile& ini) {
    if (!ini.ReadBool(LOGO, "Loaded", false))
        return;
    QImage picture;
    if (!LoadPictureFile(picture, bitmapPath_))
        return; // a lost or broken picture file: no picture, no message
    try {
        logoBitmap_ = std::move(picture);
        ui_->ScrollBarLogoPosX->setValue(ini.ReadInteger(LOGO, "PosX", 0));
        ui_->ScrollBarLogoPosY->setValue(ini.ReadInteger(LOGO, "PosY", 0));
        ui_->ScrollBarLogoWidth->setValue(ini.ReadInteger(LOGO, "Width", 1));
        ui_->ScrollBarLogoHeight->setValue(ini.ReadInteger(LOGO, "Height", 1));
        ui_->CheckBoxLogoProportional->setChecked(ini.ReadBool(LOGO, "Proportional", true));
        ui_->CheckBoxLogoShowGrid->setChecked(ini.ReadBool(LOGO, "ShowGrid", false));
        ui_->CheckBoxLogoNegative->setChecked(ini.ReadBool(LOGO, "Negative", false));
        const bool color0 = ini.ReadBool(LOGO, "Color0", true);
        const bool color1 = ini.ReadBool(LOGO, "Color1", false);
        const bool color2 = ini.ReadBool(LOGO, "Color2", false);
        SetLogoMode(color0, color1, color2);
        ui_->CheckBoxLogoTransparentColor->setChecked(ini.ReadBool(LOGO, "Transparent", false));
        const QColor colour = IntToColour(ini.ReadInteger(LOGO, "TransparentColor", 0x00FF00));
        if (colour != logoTransparentColor_) {
            SetLogoTransparentColor(colour);
            RenderLogo(false, false);
        }
        ui_->ScrollBarLogoLevelBW->setValue(ini.ReadInteger(LOGO, "LevelBW", 50));
        ui_->ScrollBarLogoTransparentColorTolerance->setValue(ini.ReadInteger(LOGO, "TransparentColorTolerance", 100));
        RenderLogo(false, false); // also when every restored value equalled the designed one
    } catch (const std::exception&) {
        logoBitmap_.reset();
        NewScreenBitmap(logoView_);
        ui_->ImageLogo->update();
    }
}

bool TLogoPage::Save(TIniFile& ini) {
    bool ok = ini.WriteBool(LOGO, "Loaded", logoBitmap_.has_value());
    if (!ok || !logoBitmap_)
        return ok;
    ok = SaveBmp32File(*logoBitmap_, bitmapPath_);
    ok = ok && ini.WriteInteger(LOGO, "PosX", ui_->ScrollBarLogoPosX->value()) &&
         ini.WriteInteger(LOGO, "PosY", ui_->ScrollBarLogoPosY->value()) &&
         ini.WriteInteger(LOGO, "Width", ui_->ScrollBarLogoWidth->value()) &&
         ini.WriteInteger(LOGO, "Height", ui_->ScrollBarLogoHeight->value()) &&
         ini.WriteBool(LOGO, "Proportional", ui_->CheckBoxLogoProportional->isChecked()) &&
         ini.WriteBool(LOGO, "ShowGrid", ui_->CheckBoxLogoShowGrid->isChecked()) &&
         ini.WriteBool(LOGO, "Negative", ui_->CheckBoxLogoNegative->isChecked()) &&
         ini.WriteBool(LOGO, "Color0", ui_->RadioButtonLogoColor0->isChecked()) &&
         ini.WriteBool(LOGO, "Color1", ui_->RadioButtonLogoColor1->isChecked()) &&
         ini.WriteBool(LOGO, "Color2", ui_->RadioButtonLogoColor2->isChecked()) &&
         ini.WriteBool(LOGO, "Transparent", ui_->CheckBoxLogoTransparentColor->isChecked()) &&
         ini.WriteInteger(LOGO, "TransparentColor", ColourToInt(logoTransparentColor_)) &&
         ini.WriteInteger(LOGO, "LevelBW", ui_->ScrollBarLogoLevelBW->value()) &&
         ini.WriteInteger(LOGO, "TransparentColorTolerance", ui_->ScrollBarLogoTransparentColorTolerance->value());
    return ok;
}
