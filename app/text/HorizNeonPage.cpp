// The horizontal ticker ("Teletekst poziomy"): its controls, timers, text
// file and settings.
#include "text/HorizNeonPage.h"

#include "CharTable.h"
#include "Codepage.h"
#include "FeatureSwitch.h"
#include "KR7.h"
#include "Protocol.h"
#include "TextLimits.h"
#include "TextSettings.h"
#include "shell/Preview.h"
#include "text/TextFileChooser.h"
#include "ui_Kr7unit1.h"

THorizNeonPage::THorizNeonPage(Ui::TFormKR7& ui, const TTextPageServices& services, TTextFileChooser& chooser,
                               QObject* parent)
    : QObject(parent), ui_(ui), services_(services),
      file_(
          {*ui.EditHorizFile, *ui.CheckBoxHorizFileRead, *ui.ScrollBarHorizFileTime, *ui.LabelHorizNeonFileTime,
           *ui.LabelHorizNeonLastTime, TimerHorizNeonFileTime},
          {TFileDialog::HorizNeonFile, TTextFeature::Ticker},
          [this](const TFeatureFileRead& read) { ui_.EditHorizNeon->setText(FromCp1250(read.tickerText)); }, chooser,
          services.log, services.platform) {
    TimerHorizNeon.setObjectName(QStringLiteral("TimerHorizNeon"));
    TimerHorizNeon.setInterval(100);
    TimerHorizNeonFileTime.setObjectName(QStringLiteral("TimerHorizNeonFileTime"));
    TimerHorizNeonFileTime.setInterval(30000);
    chooser.PauseWhileOpen(TimerHorizNeon);
    ui_.EditHorizNeon->setMaxLength(static_cast<int>(TICKER_TEXT_LIMIT));
    ui_.ScrollBarHorizNeonY->setMaximum(SCREEN_ROWS - 1);
    ui_.LabelHorizNeonLastTime->setText(QString());
    ConnectHandlers();
}

void THorizNeonPage::ConnectHandlers() {
    connect(&TimerHorizNeon, &QTimer::timeout, this, &THorizNeonPage::TimerHorizNeonTimer);
    connect(ui_.CheckBoxHorizNeonEnabled, &QCheckBox::toggled, this, &THorizNeonPage::CheckBoxHorizNeonEnabledClick);
    connect(ui_.ScrollBarHorizNeonInterval, &QScrollBar::valueChanged, this,
            &THorizNeonPage::ScrollBarHorizNeonIntervalChange);
    connect(ui_.ScrollBarHorizNeonY, &QScrollBar::valueChanged, this, &THorizNeonPage::ScrollBarHorizNeonYChange);
    connect(ui_.EditHorizNeon, &QLineEdit::textChanged, this, &THorizNeonPage::EditHorizNeonChange);
    connect(ui_.ScrollBarHorizFileTime, &QScrollBar::valueChanged, this, &THorizNeonPage::ScrollBarHorizFileTimeChange);
    connect(ui_.CheckBoxHorizFileRead, &QCheckBox::toggled, this, &THorizNeonPage::CheckBoxHorizFileReadClick);
    connect(&TimerHorizNeonFileTime, &QTimer::timeout, this, &THorizNeonPage::TimerHorizNeonFileTimeTimer);
    connect(ui_.ButtonHorizFile, &QPushButton::clicked, this, &THorizNeonPage::ButtonHorizFileClick);
    connect(&file_, &TTextFileField::DoubleClicked, this, &THorizNeonPage::EditHorizFileDblClick);
}

void THorizNeonPage::TimerHorizNeonTimer() {
    services_.preview.OutputRow(neon_.PosY, neon_.NextWindow());
}

void THorizNeonPage::CheckBoxHorizNeonEnabledClick() {
    services_.preview.ClearPreview();
    if (ui_.CheckBoxHorizNeonEnabled->isChecked()) {
        SwitchOn(services_.device, neon_);
        TimerHorizNeonTimer();
        TimerHorizNeon.start();
        return;
    }
    SwitchOff(services_.device, neon_);
    TimerHorizNeon.stop();
    ui_.CheckBoxHorizFileRead->setChecked(false);
}

void THorizNeonPage::ScrollBarHorizNeonIntervalChange() {
    const int p = ui_.ScrollBarHorizNeonInterval->value();
    ui_.LabelHorizNeonInterval->setText(QString::number(p / 10.0, 'f', 1));
    TimerHorizNeon.setInterval(p * 100);
}

void THorizNeonPage::ScrollBarHorizNeonYChange() {
    if (ui_.CheckBoxHorizNeonEnabled->isChecked())
        services_.preview.OutputRow(neon_.PosY, BlankRow);
    TakeRowFromBar();
}

void THorizNeonPage::TakeRowFromBar() {
    neon_.PosY = ui_.ScrollBarHorizNeonY->value();
    ui_.LabelHorizNeonY->setText(QString::number(neon_.PosY + 1));
}

void THorizNeonPage::EditHorizNeonChange() {
    neon_.SetText(ToCp1250(ui_.EditHorizNeon->text()));
}

void THorizNeonPage::EditHorizFileDblClick() {
    ui_.ButtonHorizFile->click();
}

void THorizNeonPage::Load(const THorizNeonSettings& settings) {
    ui_.EditHorizNeon->setText(FromCp1250(settings.Text));
    ui_.ScrollBarHorizNeonInterval->setValue(settings.Interval);
    ui_.ScrollBarHorizNeonY->setValue(settings.PosY);
    // A stored row equal to the bar's designed position moves nothing, so
    // the ticker takes its row from the bar here: the row shown and saved is
    // the row written.
    TakeRowFromBar();
    ui_.ScrollBarHorizFileTime->setValue(settings.FileTime);
    ui_.EditHorizFile->setText(FromCp1250(settings.File));
    ui_.CheckBoxHorizFileRead->setChecked(settings.FileRead);
    EditHorizNeonChange();
}

void THorizNeonPage::LoadEnabled(const THorizNeonSettings& settings) {
    ui_.CheckBoxHorizNeonEnabled->setChecked(settings.Enabled);
}

void THorizNeonPage::Save(THorizNeonSettings& settings) const {
    settings.Text = neon_.GetText();
    settings.Interval = ui_.ScrollBarHorizNeonInterval->value();
    settings.PosY = ui_.ScrollBarHorizNeonY->value();
    settings.FileTime = ui_.ScrollBarHorizFileTime->value();
    settings.File = ToCp1250(ui_.EditHorizFile->text());
    settings.FileRead = ui_.CheckBoxHorizFileRead->isChecked();
    settings.Enabled = ui_.CheckBoxHorizNeonEnabled->isChecked();
}
