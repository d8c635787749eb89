// The Logo page's placement and reduction controls: each sets the document
// and shows it again; the alignment buttons, the reduction mode, the
// background removal, and undo and redo.
#include "LogoPage.h"
#include "ui_Kr7unit1.h"

#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>

#include <array>

void TLogoPage::ScrollBarLogoPosXChange() {
    document_.SetPosX(ui_->ScrollBarLogoPosX->value());
    ShowDocument();
}

void TLogoPage::ScrollBarLogoPosYChange() {
    document_.SetPosY(ui_->ScrollBarLogoPosY->value());
    ShowDocument();
}

void TLogoPage::ScrollBarLogoWidthChange() {
    document_.SetWidth(ui_->ScrollBarLogoWidth->value());
    ShowDocument();
}

void TLogoPage::ScrollBarLogoHeightChange() {
    document_.SetHeight(ui_->ScrollBarLogoHeight->value());
    ShowDocument();
}

void TLogoPage::CheckBoxLogoProportionalClick() {
    document_.SetProportional(ui_->CheckBoxLogoProportional->isChecked());
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoRestoreWidthClick() {
    document_.RestoreWidth();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoRestoreHeightClick() {
    document_.RestoreHeight();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoCenterPosXClick() {
    document_.CentreX();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoCenterPosYClick() {
    document_.CentreY();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoLeftClick() {
    document_.AlignLeft();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoRightClick() {
    document_.AlignRight();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoTopClick() {
    document_.AlignTop();
    ShowDocument();
}

void TLogoPage::SpeedButtonLogoBottomClick() {
    document_.AlignBottom();
    ShowDocument();
}

void TLogoPage::ScrollBarLogoLevelBWChange() {
    document_.SetLevel(ui_->ScrollBarLogoLevelBW->value());
    ShowDocument();
}

void TLogoPage::ScrollBarLogoTransparentColorToleranceChange() {
    document_.SetTolerance(ui_->ScrollBarLogoTransparentColorTolerance->value());
    ShowDocument();
}

void TLogoPage::RadioButtonLogoColorClick(TLogoMode mode) {
    document_.SetMode(mode);
    ShowDocument();
}

void TLogoPage::CheckBoxLogoTransparentColorClick() {
    document_.SetTransparent(ui_->CheckBoxLogoTransparentColor->isChecked());
    ShowDocument();
}

void TLogoPage::CheckBoxLogoNegativeClick() {
    document_.SetNegative(ui_->CheckBoxLogoNegative->isChecked());
    ShowDocument();
}

void TLogoPage::CheckBoxLogoShowGridClick() {
    document_.SetGrid(ui_->CheckBoxLogoShowGrid->isChecked());
    ShowDocument();
}

TLogoMode TLogoPage::ChosenLogoMode() const {
    if (ui_->RadioButtonLogoColor0->isChecked())
        return TLogoMode::BlackWhite;
    if (ui_->RadioButtonLogoColor1->isChecked())
        return TLogoMode::Mosaic;
    if (ui_->RadioButtonLogoColor2->isChecked())
        return TLogoMode::Mixing;
    return TLogoMode::None;
}

// Sets the three mode buttons to mode; with no mode none of them is on.
void TLogoPage::ShowLogoMode(TLogoMode mode) {
    const std::array<QRadioButton*, 3> radios = {ui_->RadioButtonLogoColor0, ui_->RadioButtonLogoColor1,
                                                 ui_->RadioButtonLogoColor2};
    const std::array<TLogoMode, 3> modes = {TLogoMode::BlackWhite, TLogoMode::Mosaic, TLogoMode::Mixing};
    for (QRadioButton* radio : radios) {
        radio->blockSignals(true);
        radio->setAutoExclusive(false);
    }
    for (std::size_t i = 0; i < radios.size(); ++i)
        radios[i]->setChecked(modes[i] == mode);
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(true);
        radio->blockSignals(false);
    }
}

// ---- Undo and redo -------------------------------------------------------------

// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, wherever the focus is in the
// window while the Logo page is shown.
void TLogoPage::ConnectUndo() {
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), Window());
    auto* redo = new QShortcut(Window());
    redo->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undo->setObjectName(QStringLiteral("ShortcutLogoUndo"));
    redo->setObjectName(QStringLiteral("ShortcutLogoRedo"));
    connect(undo, &QShortcut::activated, this, &TLogoPage::UndoLogo);
    connect(redo, &QShortcut::activated, this, &TLogoPage::RedoLogo);
    const auto enable = [this, undo, redo] {
        const bool shown = ui_->PageControl->currentWidget() == ui_->TabSheetLogo;
        undo->setEnabled(shown);
        redo->setEnabled(shown);
    };
    connect(ui_->PageControl, &QTabWidget::currentChanged, this, enable);
    enable();
}

void TLogoPage::UndoLogo() {
    if (document_.Dragging() || document_.Picking())
        return;
    if (document_.Undo())
        ShowDocument();
}

void TLogoPage::RedoLogo() {
    if (document_.Dragging() || document_.Picking())
        return;
    if (document_.Redo())
        ShowDocument();
}
