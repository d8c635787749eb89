// The vertical pages ("Teletekst pionowy"): their controls, timers, text
// file and settings.
#include "text/VertNeonPage.h"

#include "CharTable.h"
#include "Codepage.h"
#include "FeatureSwitch.h"
#include "IniFile.h"
#include "KR7.h"
#include "Protocol.h"
#include "TextSettings.h"
#include "shell/Preview.h"
#include "shell/WindowServices.h"
#include "text/TextFileChooser.h"
#include "ui_Kr7unit1.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>

namespace {

const std::string SECTION = "VertNeon";
const std::string LINES_SECTION = "VertNeonLines";

// The editor's text as it is held: toPlainText() would turn no-break spaces
// into spaces, and so into break points. Only the block and line separators
// become line feeds.
QString EditorText(const QPlainTextEdit& editor) {
    QString text = editor.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return text;
}

// The editor's lines as bytes; only line feeds separate them.
std::vector<std::string> EditorLines(const QString& text) {
    const std::string bytes = ToCp1250(text);
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= bytes.size()) {
        std::size_t to = bytes.find('\n', from);
        if (to == std::string::npos)
            to = bytes.size();
        lines.push_back(bytes.substr(from, to - from));
        from = to + 1;
    }
    return lines;
}

} // namespace

TVertNeonPage::TVertNeonPage(Ui::TFormKR7& ui, const TTextPageServices& services, TTextFileChooser& chooser,
                             QObject* parent)
    : QObject(parent), ui_(ui), services_(services),
      file_(
          {*ui.EditVertFile, *ui.CheckBoxVertFileRead, *ui.ScrollBarVertFileTime, *ui.LabelVertNeonFileTime,
           *ui.LabelVertNeonLastTime, TimerVertNeonFileTime},
          {TFileDialog::VertNeonFile, TTextFeature::Pages},
          [this](const TFeatureFileRead& read) { TakeFileLines(read.lines); }, chooser, services.log,
          services.platform) {
    TimerVertNeon.setObjectName(QStringLiteral("TimerVertNeon"));
    TimerVertNeon.setInterval(10000);
    TimerVertNeonFileTime.setObjectName(QStringLiteral("TimerVertNeonFileTime"));
    TimerVertNeonFileTime.setInterval(30000);
    chooser.PauseWhileOpen(TimerVertNeon);
    ui_.ScrollBarVertNeonY->setMaximum(SCREEN_ROWS - 1);
    ui_.ScrollBarVertNeonHeight->setMaximum(SCREEN_ROWS);
    ui_.LabelVertNeonLastTime->setText(QString());
    ConnectHandlers();
}

void TVertNeonPage::ConnectHandlers() {
    connect(&TimerVertNeon, &QTimer::timeout, this, &TVertNeonPage::TimerVertNeonTimer);
    connect(ui_.MemoVertNeon, &QPlainTextEdit::textChanged, this, &TVertNeonPage::MemoVertNeonChange);
    connect(ui_.CheckBoxVertNeonEnabled, &QCheckBox::toggled, this, &TVertNeonPage::CheckBoxVertNeonEnabledClick);
    connect(ui_.ScrollBarVertNeonY, &QScrollBar::valueChanged, this, &TVertNeonPage::ScrollBarVertNeonYLengthChange);
    connect(ui_.ScrollBarVertNeonHeight, &QScrollBar::valueChanged, this,
            &TVertNeonPage::ScrollBarVertNeonYLengthChange);
    connect(ui_.ScrollBarVertNeonInterval, &QScrollBar::valueChanged, this,
            &TVertNeonPage::ScrollBarVertNeonIntervalChange);
    connect(ui_.ScrollBarVertFileTime, &QScrollBar::valueChanged, this, &TVertNeonPage::ScrollBarVertFileTimeChange);
    connect(ui_.CheckBoxVertFileRead, &QCheckBox::toggled, this, &TVertNeonPage::CheckBoxVertFileReadClick);
    connect(&TimerVertNeonFileTime, &QTimer::timeout, this, &TVertNeonPage::TimerVertNeonFileTimeTimer);
    connect(ui_.ButtonVertFile, &QPushButton::clicked, this, &TVertNeonPage::ButtonVertFileClick);
    connect(&file_, &TTextFileField::DoubleClicked, this, &TVertNeonPage::EditVertFileDblClick);
}

void TVertNeonPage::TimerVertNeonTimer() {
    const bool centre = ui_.CheckBoxVertNeonCenter->isChecked();
    const bool connected = services_.shell.IsConnectChecked();
    const bool preview = services_.shell.IsPreviewActive();
    for (const TVertNeon::TRow& row : neon_.NextPageRows(centre)) {
        if (connected)
            services_.device.WriteText(0, row.row, row.text);
        if (preview)
            services_.preview.DrawText(row.row, row.text);
    }
}

void TVertNeonPage::MemoVertNeonChange() {
    neon_.SetLines(EditorLines(EditorText(*ui_.MemoVertNeon)));
}

void TVertNeonPage::CheckBoxVertNeonEnabledClick() {
    services_.preview.ClearPreview();
    if (ui_.CheckBoxVertNeonEnabled->isChecked()) {
        SwitchOn(services_.device, neon_);
        TimerVertNeonTimer();
        TimerVertNeon.start();
        return;
    }
    TimerVertNeon.stop();
    ui_.CheckBoxVertFileRead->setChecked(false);
    SwitchOff(services_.device, neon_);
}

void TVertNeonPage::ScrollBarVertNeonYLengthChange() {
    if (ui_.CheckBoxVertNeonEnabled->isChecked()) {
        for (int r = neon_.PosY; r < neon_.EndRow(); ++r)
            services_.preview.OutputRow(r, BlankRow);
    }
    TakeWindowFromBars();
}

// Lowering a bound may lower a bar's position, which runs the change handler
// again before the next step.
void TVertNeonPage::TakeWindowFromBars() {
    neon_.PosY = ui_.ScrollBarVertNeonY->value();
    ui_.ScrollBarVertNeonHeight->setMaximum(SCREEN_ROWS - neon_.PosY);
    neon_.Height = ui_.ScrollBarVertNeonHeight->value();
    ui_.ScrollBarVertNeonY->setMaximum(SCREEN_ROWS - neon_.Height);
    ui_.LabelVertNeonY->setText(QString::number(neon_.PosY + 1));
    ui_.LabelVertNeonHeight->setText(QString::number(neon_.Height));
}

void TVertNeonPage::ScrollBarVertNeonIntervalChange() {
    const int p = ui_.ScrollBarVertNeonInterval->value();
    ui_.LabelVertNeonInterval->setText(QString::number(p));
    TimerVertNeon.setInterval(p * 1000);
}

void TVertNeonPage::EditVertFileDblClick() {
    ui_.ButtonVertFile->click();
}

void TVertNeonPage::TakeFileLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text.append(i == 0 ? "" : "\n").append(lines[i]);
    ui_.MemoVertNeon->setPlainText(FromCp1250(text));
}

void TVertNeonPage::Load(const TVertNeonSettings& settings, const TIniFile& ini) {
    ui_.CheckBoxVertNeonCenter->setChecked(settings.Center);
    const std::string text = StoredPageText(ini.ReadSection(LINES_SECTION), ini.ReadInteger(SECTION, "LinesCount", 0));
    ui_.MemoVertNeon->setPlainText(FromCp1250(text));
    ui_.ScrollBarVertNeonInterval->setValue(settings.Interval);
    LoadWindow(settings.PosY, settings.Height);
    ui_.ScrollBarVertFileTime->setValue(settings.FileTime);
    ui_.EditVertFile->setText(FromCp1250(settings.File));
    ui_.CheckBoxVertFileRead->setChecked(settings.FileRead);
    MemoVertNeonChange();
}

void TVertNeonPage::LoadWindow(int posY, int height) {
    // Each bar bounds the other: restore first the one whose stored value
    // the present bounds would cut, so a stored window comes back unchanged.
    if (posY > ui_.ScrollBarVertNeonY->maximum()) {
        ui_.ScrollBarVertNeonHeight->setValue(height);
        ui_.ScrollBarVertNeonY->setValue(posY);
    } else {
        ui_.ScrollBarVertNeonY->setValue(posY);
        ui_.ScrollBarVertNeonHeight->setValue(height);
    }
    // A stored window equal to the bars' designed positions moves neither,
    // so the pages take their window from the bars here: the rows shown and
    // saved are the rows written.
    TakeWindowFromBars();
}

void TVertNeonPage::LoadEnabled(const TVertNeonSettings& settings) {
    ui_.CheckBoxVertNeonEnabled->setChecked(settings.Enabled);
}

void TVertNeonPage::Save(TVertNeonSettings& settings) const {
    settings.Center = ui_.CheckBoxVertNeonCenter->isChecked();
    settings.Lines = neon_.Lines;
    settings.Interval = ui_.ScrollBarVertNeonInterval->value();
    settings.PosY = ui_.ScrollBarVertNeonY->value();
    settings.Height = ui_.ScrollBarVertNeonHeight->value();
    settings.FileTime = ui_.ScrollBarVertFileTime->value();
    settings.File = ToCp1250(ui_.EditVertFile->text());
    settings.FileRead = ui_.CheckBoxVertFileRead->isChecked();
    settings.Enabled = ui_.CheckBoxVertNeonEnabled->isChecked();
}
