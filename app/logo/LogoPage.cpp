// The Logo page: set-up, its controls' connections, showing the document and
// the Logo section of the settings file with the working picture's file.
#include "logo/LogoPage.h"

#include "Glyphs.h"
#include "IniFile.h"
#include "PictureFile.h"
#include "sequence/LongSequence.h"
#include "shell/Preview.h"
#include "shell/WindowServices.h"
#include "ui_Kr7unit1.h"
#include "widgets/RecentMenu.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <array>
#include <exception>
#include <utility>

namespace {

const char* const LOGO = "Logo";

// 0x00BBGGRR, the form the settings file keeps colours in.
int ColourToInt(QRgb c) {
    return qRed(c) | qGreen(c) << 8 | qBlue(c) << 16;
}
QRgb IntToColour(int v) {
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF) & 0xFFFFFF;
}

// A restored settings file may leave none of the three modes on; the last
// one that is on wins.
TLogoMode ModeOfFlags(bool color0, bool color1, bool color2) {
    return color2 ? TLogoMode::Mixing : color1 ? TLogoMode::Mosaic : color0 ? TLogoMode::BlackWhite : TLogoMode::None;
}

void ShowValue(QScrollBar* bar, int value) {
    const QSignalBlocker quiet(bar);
    bar->setValue(value);
}

void ShowChecked(QAbstractButton* box, bool on) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

} // namespace

// ---- Set-up --------------------------------------------------------------------

TLogoPage::TLogoPage(Ui::TFormKR7& ui, const TServices& services, TCharsImage& chars, const QImage& charsDefault,
                     const QString& bitmapPath)
    : ui_(&ui), device_(&services.device), log_(&services.log), dialogs_(&services.dialogs),
      preview_(&services.preview), service_(&services.glyphs), line_(&services.line), chars_(chars),
      charsDefault_(charsDefault), bitmapPath_(bitmapPath) {
    ui_->ImageLogo->SetImage(&document_.View());
    ui_->ProgressBarLogoProgress->hide();
    AddCancelButton(*ui_->ProgressBarLogoProgress, tr("Anuluj"));
    ui_->ImageLogo->installEventFilter(this);
    ui_->ImageLogo->setMouseTracking(true);
    ui_->ShapeLogoTransparentColor->installEventFilter(this);
    ui_->ImageLogo->setAcceptDrops(true);
    ShowDocument();
    ConnectHandlers();
    ConnectUndo();
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
    // A bar dragged by its handle changes the document in one step.
    for (QScrollBar* bar :
         {ui->ScrollBarLogoPosX, ui->ScrollBarLogoPosY, ui->ScrollBarLogoWidth, ui->ScrollBarLogoHeight,
          ui->ScrollBarLogoLevelBW, ui->ScrollBarLogoTransparentColorTolerance}) {
        connect(bar, &QAbstractSlider::sliderPressed, this, [this] { document_.BeginStep(); });
        connect(bar, &QAbstractSlider::sliderReleased, this, [this] { document_.EndStep(); });
    }

    connect(ui->CheckBoxLogoProportional, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoProportionalClick);
    connect(ui->CheckBoxLogoTransparentColor, &QAbstractButton::toggled, this,
            &TLogoPage::CheckBoxLogoTransparentColorClick);
    connect(ui->CheckBoxLogoNegative, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoNegativeClick);
    connect(ui->CheckBoxLogoShowGrid, &QAbstractButton::toggled, this, &TLogoPage::CheckBoxLogoShowGridClick);
    // A switch between two modes toggles both buttons; the one switched on
    // sets its mode, and so does the last one switched off when none is left.
    const std::array<std::pair<QRadioButton*, TLogoMode>, 3> modes = {
        std::pair{ui->RadioButtonLogoColor0, TLogoMode::BlackWhite},
        std::pair{ui->RadioButtonLogoColor1, TLogoMode::Mosaic},
        std::pair{ui->RadioButtonLogoColor2, TLogoMode::Mixing}};
    for (const auto& [radio, buttonMode] : modes) {
        const TLogoMode mode = buttonMode; // a lambda cannot capture a structured binding under clang 14
        connect(radio, &QAbstractButton::toggled, this, [this, mode](bool on) {
            if (on || ChosenLogoMode() == TLogoMode::None)
                RadioButtonLogoColorClick(on ? mode : TLogoMode::None);
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

// ---- Showing the document -----------------------------------------------------

void TLogoPage::ShowDocument() {
    const TLogoSettings& settings = document_.Settings();
    ShowValue(ui_->ScrollBarLogoPosX, settings.posX);
    ShowValue(ui_->ScrollBarLogoPosY, settings.posY);
    ShowValue(ui_->ScrollBarLogoWidth, settings.width);
    ShowValue(ui_->ScrollBarLogoHeight, settings.height);
    ShowValue(ui_->ScrollBarLogoLevelBW, settings.level);
    ShowValue(ui_->ScrollBarLogoTransparentColorTolerance, settings.tolerance);
    ui_->LabelLogoPosX->setText(QString::number(settings.posX));
    ui_->LabelLogoPosY->setText(QString::number(settings.posY));
    ui_->LabelLogoWidth->setText(QString::number(settings.width));
    ui_->LabelLogoHeight->setText(QString::number(settings.height));
    ui_->LabelLogoLevelBWValue->setText(QStringLiteral("%1%").arg(settings.level));
    ui_->LabelLogoTransparentColorToleranceValue->setText(QStringLiteral("%1%").arg(settings.tolerance));
    ShowChecked(ui_->CheckBoxLogoProportional, settings.proportional);
    ShowChecked(ui_->CheckBoxLogoShowGrid, settings.grid);
    ShowChecked(ui_->CheckBoxLogoNegative, settings.negative);
    ShowChecked(ui_->CheckBoxLogoTransparentColor, settings.transparent);
    ShowLogoMode(settings.mode);
    ShowLogoTransparentColor(QColor::fromRgb(settings.background));
    UpdateLogoControls();
    ui_->ImageLogo->update();
}

void TLogoPage::UpdateLogoControls() {
    Ui::TFormKR7* ui = ui_;
    const bool loaded = document_.Loaded();
    const bool generated = document_.Generated();
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
    document_.Clear();
    ShowDocument();
}

void TLogoPage::RedrawPreview() {
    if (IsLogoGenerated(document_.Table()))
        DrawLogoPreview();
}

void TLogoPage::DrawLogoPreview() {
    const TLogoTable& table = document_.Table();
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
        TLogoSettings settings = document_.Settings();
        settings.posX = ini.ReadInteger(LOGO, "PosX", 0);
        settings.posY = ini.ReadInteger(LOGO, "PosY", 0);
        settings.width = ini.ReadInteger(LOGO, "Width", 1);
        settings.height = ini.ReadInteger(LOGO, "Height", 1);
        settings.proportional = ini.ReadBool(LOGO, "Proportional", true);
        settings.grid = ini.ReadBool(LOGO, "ShowGrid", false);
        settings.negative = ini.ReadBool(LOGO, "Negative", false);
        const bool color0 = ini.ReadBool(LOGO, "Color0", true);
        const bool color1 = ini.ReadBool(LOGO, "Color1", false);
        const bool color2 = ini.ReadBool(LOGO, "Color2", false);
        settings.mode = ModeOfFlags(color0, color1, color2);
        settings.transparent = ini.ReadBool(LOGO, "Transparent", false);
        settings.background = IntToColour(ini.ReadInteger(LOGO, "TransparentColor", 0x00FF00));
        settings.level = ini.ReadInteger(LOGO, "LevelBW", 50);
        settings.tolerance = ini.ReadInteger(LOGO, "TransparentColorTolerance", 100);
        document_.Restore(picture, settings);
    } catch (const std::exception&) {
        document_.Clear();
    }
    ShowDocument();
}

bool TLogoPage::Save(TIniFile& ini) {
    bool ok = ini.WriteBool(LOGO, "Loaded", document_.Loaded());
    if (!ok || !document_.Loaded())
        return ok;
    const TLogoSettings& settings = document_.Settings();
    ok = SaveBmp32File(*document_.Picture(), bitmapPath_);
    ok = ok && ini.WriteInteger(LOGO, "PosX", settings.posX) && ini.WriteInteger(LOGO, "PosY", settings.posY) &&
         ini.WriteInteger(LOGO, "Width", settings.width) && ini.WriteInteger(LOGO, "Height", settings.height) &&
         ini.WriteBool(LOGO, "Proportional", settings.proportional) && ini.WriteBool(LOGO, "ShowGrid", settings.grid) &&
         ini.WriteBool(LOGO, "Negative", settings.negative) &&
         ini.WriteBool(LOGO, "Color0", settings.mode == TLogoMode::BlackWhite) &&
         ini.WriteBool(LOGO, "Color1", settings.mode == TLogoMode::Mosaic) &&
         ini.WriteBool(LOGO, "Color2", settings.mode == TLogoMode::Mixing) &&
         ini.WriteBool(LOGO, "Transparent", settings.transparent) &&
         ini.WriteInteger(LOGO, "TransparentColor", ColourToInt(settings.background)) &&
         ini.WriteInteger(LOGO, "LevelBW", settings.level) &&
         ini.WriteInteger(LOGO, "TransparentColorTolerance", settings.tolerance);
    return ok;
}
