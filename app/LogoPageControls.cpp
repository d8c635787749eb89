// The Logo page's placement and reduction controls: position, size, the
// alignment buttons, the reduction mode and the background removal.
#include "LogoImage.h"
#include "LogoPage.h"
#include "Protocol.h"
#include "ui_Kr7unit1.h"

#include <QScrollBar>

#include <algorithm>
#include <array>

int TLogoPage::ClampSize(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 1, 1000));
}

void TLogoPage::ScrollBarLogoPosXChange() {
    ui_->LabelLogoPosX->setText(QString::number(ui_->ScrollBarLogoPosX->value()));
    RenderLogo(false, false);
}

void TLogoPage::ScrollBarLogoPosYChange() {
    ui_->LabelLogoPosY->setText(QString::number(ui_->ScrollBarLogoPosY->value()));
    RenderLogo(false, false);
}

void TLogoPage::ScrollBarLogoWidthChange() {
    if (ui_->CheckBoxLogoProportional->isChecked() && logoBitmap_ && logoBitmap_->width() > 0) {
        const long long width = ui_->ScrollBarLogoWidth->value();
        ui_->ScrollBarLogoHeight->setValue(ClampSize(logoBitmap_->height() * width / logoBitmap_->width()));
    }
    ui_->LabelLogoWidth->setText(QString::number(ui_->ScrollBarLogoWidth->value()));
    RenderLogo(false, false);
}

void TLogoPage::ScrollBarLogoHeightChange() {
    ui_->LabelLogoHeight->setText(QString::number(ui_->ScrollBarLogoHeight->value()));
    ui_->ScrollBarLogoHeight->setEnabled(!ui_->CheckBoxLogoProportional->isChecked() && logoBitmap_.has_value());
    RenderLogo(false, false);
}

void TLogoPage::CheckBoxLogoProportionalClick() {
    UpdateLogoControls();
    ScrollBarLogoWidthChange();
}

void TLogoPage::SpeedButtonLogoRestoreWidthClick() {
    if (logoBitmap_)
        ui_->ScrollBarLogoWidth->setValue(ClampSize(logoBitmap_->width()));
}

void TLogoPage::SpeedButtonLogoRestoreHeightClick() {
    if (logoBitmap_)
        ui_->ScrollBarLogoHeight->setValue(ClampSize(logoBitmap_->height()));
}

void TLogoPage::SpeedButtonLogoCenterPosXClick() {
    QScrollBar* posX = ui_->ScrollBarLogoPosX;
    posX->setValue((SCREEN_WIDTH - ui_->ScrollBarLogoWidth->value()) / 2);
    if (!ui_->CheckBoxLogoTransparentColor->isChecked())
        return;
    const int left = LogoMarginLeft(logoView_);
    const int right = LogoMarginRight(logoView_);
    posX->setValue(posX->value() - left + (left + right) / 2);
}

void TLogoPage::SpeedButtonLogoCenterPosYClick() {
    QScrollBar* posY = ui_->ScrollBarLogoPosY;
    posY->setValue((SCREEN_HEIGHT - ui_->ScrollBarLogoHeight->value()) / 2);
    if (!ui_->CheckBoxLogoTransparentColor->isChecked())
        return;
    const int top = LogoMarginTop(logoView_);
    const int bottom = LogoMarginBottom(logoView_);
    posY->setValue(posY->value() - top + (top + bottom) / 2);
}

// Puts the picture's edge at value on bar; with background removal the
// margin the moved view shows on that side is then taken up too (shift -1
// toward the start of the bar, +1 toward its end).
void TLogoPage::AlignLogo(QScrollBar* bar, int value, int (*margin)(const QImage&), int shift) {
    bar->setValue(value);
    if (ui_->CheckBoxLogoTransparentColor->isChecked())
        bar->setValue(bar->value() + shift * margin(logoView_));
}

void TLogoPage::SpeedButtonLogoLeftClick() {
    AlignLogo(ui_->ScrollBarLogoPosX, 0, LogoMarginLeft, -1);
}

void TLogoPage::SpeedButtonLogoRightClick() {
    AlignLogo(ui_->ScrollBarLogoPosX, SCREEN_WIDTH - ui_->ScrollBarLogoWidth->value(), LogoMarginRight, 1);
}

void TLogoPage::SpeedButtonLogoTopClick() {
    AlignLogo(ui_->ScrollBarLogoPosY, 0, LogoMarginTop, -1);
}

void TLogoPage::SpeedButtonLogoBottomClick() {
    AlignLogo(ui_->ScrollBarLogoPosY, SCREEN_HEIGHT - ui_->ScrollBarLogoHeight->value(), LogoMarginBottom, 1);
}

void TLogoPage::ScrollBarLogoLevelBWChange() {
    ui_->LabelLogoLevelBWValue->setText(QStringLiteral("%1%").arg(ui_->ScrollBarLogoLevelBW->value()));
    RenderLogo(false, false);
}

void TLogoPage::ScrollBarLogoTransparentColorToleranceChange() {
    ui_->LabelLogoTransparentColorToleranceValue->setText(
        QStringLiteral("%1%").arg(ui_->ScrollBarLogoTransparentColorTolerance->value()));
    RenderLogo(false, false);
}

void TLogoPage::RadioButtonLogoColorClick() {
    UpdateLogoControls();
    RenderLogo(false, false);
}

void TLogoPage::CheckBoxLogoTransparentColorClick() {
    UpdateLogoControls();
    RenderLogo(false, false);
}

void TLogoPage::CheckBoxLogoNegativeClick() {
    RenderLogo(false, false);
}

void TLogoPage::CheckBoxLogoShowGridClick() {
    RenderLogo(false, false);
}

// Sets the three mode buttons as a restored settings file gives them; the
// last one that is on wins, and none may be on.
void TLogoPage::SetLogoMode(bool color0, bool color1, bool color2) {
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
