// The window's horizontal ticker ("Teletekst poziomy") and vertical pages
// ("Teletekst pionowy"): their controls, timers, text files and settings.
#include "CharTable.h"
#include "Codepage.h"
#include "Glyphs.h"
#include "IniFile.h"
#include "KR7.h"
#include "Kr7unit1.h"
#include "Preview.h"
#include "TextFile.h"
#include "TextSettings.h"
#include "ui_Kr7unit1.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const std::string kHoriz = "HorizNeon";
const std::string kVert = "VertNeon";
const std::string kVertLines = "VertNeonLines";
const QString kAllFiles = QStringLiteral("All files (*.*)|*.*");

// The longest ticker text: longer texts make the one-line editor unusably
// slow. Typed text stops here; a longer file is refused with the error line.
constexpr int kHorizTextLimit = 1 << 20;
// The largest page text file that is read.
constexpr qint64 kVertFileLimit = 16 << 20;

// Runs a callback on a double click of the watched widget.
class TDoubleClickFilter : public QObject {
public:
    TDoubleClickFilter(QObject* parent, std::function<void()> onDoubleClick)
        : QObject(parent), onDoubleClick_(std::move(onDoubleClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            onDoubleClick_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onDoubleClick_;
};

QString LastReadText(const QDateTime& now) {
    const QLocale locale;
    return QStringLiteral("Ostatnio odczytany: %1 %2")
        .arg(locale.toString(now.date(), QLocale::ShortFormat), locale.toString(now.time(), QLocale::LongFormat));
}

QString MinutesSeconds(int seconds) {
    return QString::asprintf("%.2i:%.2i", seconds / 60, seconds % 60);
}

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

// Starts or stops a timer.
void SetEnabled(QTimer* timer, bool enabled) {
    if (enabled)
        timer->start();
    else
        timer->stop();
}

} // namespace

void TFormKR7::InitTextPages() {
    const auto makeTimer = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        return timer;
    };
    TimerHorizNeon = makeTimer("TimerHorizNeon", 100);
    TimerVertNeon = makeTimer("TimerVertNeon", 10000);
    TimerHorizNeonFileTime = makeTimer("TimerHorizNeonFileTime", 30000);
    TimerVertNeonFileTime = makeTimer("TimerVertNeonFileTime", 30000);
    ui_->EditHorizNeon->setMaxLength(kHorizTextLimit);
}

void TFormKR7::ConnectTextHandlers() {
    connect(TimerHorizNeon, &QTimer::timeout, this, &TFormKR7::TimerHorizNeonTimer);
    connect(ui_->CheckBoxHorizNeonEnabled, &QCheckBox::toggled, this, &TFormKR7::CheckBoxHorizNeonEnabledClick);
    connect(ui_->ScrollBarHorizNeonInterval, &QScrollBar::valueChanged, this,
            &TFormKR7::ScrollBarHorizNeonIntervalChange);
    connect(ui_->ScrollBarHorizNeonY, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarHorizNeonYChange);
    connect(ui_->EditHorizNeon, &QLineEdit::textChanged, this, &TFormKR7::EditHorizNeonChange);
    connect(ui_->ScrollBarHorizFileTime, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarHorizFileTimeChange);
    connect(ui_->CheckBoxHorizFileRead, &QCheckBox::toggled, this, &TFormKR7::CheckBoxHorizFileReadClick);
    connect(TimerHorizNeonFileTime, &QTimer::timeout, this, &TFormKR7::TimerHorizNeonFileTimeTimer);
    connect(ui_->ButtonHorizFile, &QPushButton::clicked, this, &TFormKR7::ButtonHorizFileClick);
    ui_->EditHorizFile->installEventFilter(new TDoubleClickFilter(this, [this] { EditHorizFileDblClick(); }));

    connect(TimerVertNeon, &QTimer::timeout, this, &TFormKR7::TimerVertNeonTimer);
    connect(ui_->MemoVertNeon, &QPlainTextEdit::textChanged, this, &TFormKR7::MemoVertNeonChange);
    connect(ui_->CheckBoxVertNeonEnabled, &QCheckBox::toggled, this, &TFormKR7::CheckBoxVertNeonEnabledClick);
    connect(ui_->ScrollBarVertNeonY, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarVertNeonYLengthChange);
    connect(ui_->ScrollBarVertNeonHeight, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarVertNeonYLengthChange);
    connect(ui_->ScrollBarVertNeonInterval, &QScrollBar::valueChanged, this,
            &TFormKR7::ScrollBarVertNeonIntervalChange);
    connect(ui_->ScrollBarVertFileTime, &QScrollBar::valueChanged, this, &TFormKR7::ScrollBarVertFileTimeChange);
    connect(ui_->CheckBoxVertFileRead, &QCheckBox::toggled, this, &TFormKR7::CheckBoxVertFileReadClick);
    connect(TimerVertNeonFileTime, &QTimer::timeout, this, &TFormKR7::TimerVertNeonFileTimeTimer);
    connect(ui_->ButtonVertFile, &QPushButton::clicked, this, &TFormKR7::ButtonVertFileClick);
    ui_->EditVertFile->installEventFilter(new TDoubleClickFilter(this, [this] { EditVertFileDblClick(); }));
}

// ---- Horizontal ticker ---------------------------------------------------

void TFormKR7::TimerHorizNeonTimer() {
    preview_->OutputRow(horizNeon_.PosY, horizNeon_.NextWindow());
}

void TFormKR7::CheckBoxHorizNeonEnabledClick() {
    preview_->ClearPreview();
    if (ui_->CheckBoxHorizNeonEnabled->isChecked()) {
        device_->SetMode(MODE_TEXT);
        horizNeon_.Reset();
        TimerHorizNeonTimer();
        TimerHorizNeon->start();
        return;
    }
    device_->WriteText(0, horizNeon_.PosY, BlankRow);
    TimerHorizNeon->stop();
    ui_->CheckBoxHorizFileRead->setChecked(false);
}

void TFormKR7::ScrollBarHorizNeonIntervalChange() {
    const int p = ui_->ScrollBarHorizNeonInterval->value();
    ui_->LabelHorizNeonInterval->setText(QString::number(p / 10.0, 'f', 1));
    TimerHorizNeon->setInterval(p * 100);
}

void TFormKR7::ScrollBarHorizNeonYChange() {
    if (ui_->CheckBoxHorizNeonEnabled->isChecked())
        preview_->OutputRow(horizNeon_.PosY, BlankRow);
    horizNeon_.PosY = ui_->ScrollBarHorizNeonY->value();
    ui_->LabelHorizNeonY->setText(QString::number(horizNeon_.PosY + 1));
}

void TFormKR7::EditHorizNeonChange() {
    horizNeon_.SetText(ToCp1250(ui_->EditHorizNeon->text()));
}

void TFormKR7::ScrollBarHorizFileTimeChange() {
    const int s = ui_->ScrollBarHorizFileTime->value();
    TimerHorizNeonFileTime->setInterval(s * 1000);
    ui_->LabelHorizNeonFileTime->setText(MinutesSeconds(s));
}

void TFormKR7::CheckBoxHorizFileReadClick() {
    if (!ui_->CheckBoxHorizFileRead->isChecked()) {
        TimerHorizNeonFileTime->stop();
        return;
    }
    TimerHorizNeonFileTime->start();
    ReadHorizFile();
}

void TFormKR7::TimerHorizNeonFileTimeTimer() {
    ReadHorizFile();
}

void TFormKR7::ChooseTextFile(QLineEdit* edit) {
    const bool horiz = TimerHorizNeon->isActive();
    const bool vert = TimerVertNeon->isActive();
    TimerHorizNeon->stop();
    TimerVertNeon->stop();
    const QString name =
        dialogs_->OpenFile(this, edit == ui_->EditHorizFile ? TFileDialog::HorizNeonFile : TFileDialog::VertNeonFile,
                           edit->text(), kAllFiles);
    if (!name.isEmpty())
        edit->setText(name);
    SetEnabled(TimerHorizNeon, horiz);
    SetEnabled(TimerVertNeon, vert);
}

void TFormKR7::ButtonHorizFileClick() {
    ChooseTextFile(ui_->EditHorizFile);
}

void TFormKR7::EditHorizFileDblClick() {
    ui_->ButtonHorizFile->click();
}

void TFormKR7::ReadHorizFile() {
    const QString path = ui_->EditHorizFile->text();
    if (path.isEmpty()) {
        Log(QStringLiteral("Nie wskazano pliku dla teletekstu poziomego."));
        ui_->CheckBoxHorizFileRead->setChecked(false);
        return;
    }
    std::string bytes;
    const TReadResult result = ReadTextFile(path, kHorizTextLimit, bytes);
    if (result == TReadResult::Missing) {
        Log(QStringLiteral("Plik nie istnieje: \"%1\".").arg(path));
        ui_->CheckBoxHorizFileRead->setChecked(false);
        return;
    }
    std::string text;
    if (result == TReadResult::Ok)
        for (const std::string& line : SplitTextLines(bytes))
            text.append(line).append("\r\n");
    if (result == TReadResult::Failed || text.size() > static_cast<std::size_t>(kHorizTextLimit)) {
        Log(QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path));
        ui_->CheckBoxHorizFileRead->setChecked(false);
        return;
    }
    ui_->EditHorizNeon->setText(FromCp1250(text));
    ui_->LabelHorizNeonLastTime->setText(LastReadText(platform_->Now()));
}

// ---- Vertical pages ------------------------------------------------------

void TFormKR7::TimerVertNeonTimer() {
    const bool centre = ui_->CheckBoxVertNeonCenter->isChecked();
    const bool connected = IsConnectChecked();
    const bool preview = IsPreviewActive();
    for (const TVertNeon::TRow& row : vertNeon_.NextPageRows(centre)) {
        if (connected)
            device_->WriteText(0, row.row, row.text);
        if (preview)
            preview_->DrawText(row.row, row.text);
    }
}

void TFormKR7::MemoVertNeonChange() {
    vertNeon_.SetLines(EditorLines(EditorText(*ui_->MemoVertNeon)));
}

void TFormKR7::CheckBoxVertNeonEnabledClick() {
    preview_->ClearPreview();
    if (ui_->CheckBoxVertNeonEnabled->isChecked()) {
        device_->SetMode(MODE_TEXT);
        vertNeon_.Reset();
        TimerVertNeonTimer();
        TimerVertNeon->start();
        return;
    }
    TimerVertNeon->stop();
    ui_->CheckBoxVertFileRead->setChecked(false);
    const int end = std::min(vertNeon_.PosY + vertNeon_.Height, SCREEN_ROWS);
    for (int r = vertNeon_.PosY; r < end; ++r)
        device_->WriteText(0, r, BlankRow);
}

void TFormKR7::ScrollBarVertNeonYLengthChange() {
    if (ui_->CheckBoxVertNeonEnabled->isChecked()) {
        const int end = std::min(vertNeon_.PosY + vertNeon_.Height, SCREEN_ROWS);
        for (int r = vertNeon_.PosY; r < end; ++r)
            preview_->OutputRow(r, BlankRow);
    }
    // Lowering a bound may lower a bar's position, which runs this handler
    // again before the next step.
    vertNeon_.PosY = ui_->ScrollBarVertNeonY->value();
    ui_->ScrollBarVertNeonHeight->setMaximum(SCREEN_ROWS - vertNeon_.PosY);
    vertNeon_.Height = ui_->ScrollBarVertNeonHeight->value();
    ui_->ScrollBarVertNeonY->setMaximum(SCREEN_ROWS - vertNeon_.Height);
    ui_->LabelVertNeonY->setText(QString::number(vertNeon_.PosY + 1));
    ui_->LabelVertNeonHeight->setText(QString::number(vertNeon_.Height));
}

void TFormKR7::ScrollBarVertNeonIntervalChange() {
    const int p = ui_->ScrollBarVertNeonInterval->value();
    ui_->LabelVertNeonInterval->setText(QString::number(p));
    TimerVertNeon->setInterval(p * 1000);
}

void TFormKR7::ScrollBarVertFileTimeChange() {
    const int s = ui_->ScrollBarVertFileTime->value();
    TimerVertNeonFileTime->setInterval(s * 1000);
    ui_->LabelVertNeonFileTime->setText(MinutesSeconds(s));
}

void TFormKR7::CheckBoxVertFileReadClick() {
    if (!ui_->CheckBoxVertFileRead->isChecked()) {
        TimerVertNeonFileTime->stop();
        return;
    }
    TimerVertNeonFileTime->start();
    ReadVertFile();
}

void TFormKR7::TimerVertNeonFileTimeTimer() {
    ReadVertFile();
}

void TFormKR7::ButtonVertFileClick() {
    ChooseTextFile(ui_->EditVertFile);
}

void TFormKR7::EditVertFileDblClick() {
    ui_->ButtonVertFile->click();
}

void TFormKR7::ReadVertFile() {
    const QString path = ui_->EditVertFile->text();
    if (path.isEmpty()) {
        Log(QStringLiteral("Nie wskazano pliku dla teletekstu pionowego."));
        ui_->CheckBoxVertFileRead->setChecked(false);
        return;
    }
    std::string bytes;
    const TReadResult result = ReadTextFile(path, kVertFileLimit, bytes);
    if (result == TReadResult::Missing) {
        Log(QStringLiteral("Plik nie istnieje: \"%1\".").arg(path));
        ui_->CheckBoxVertFileRead->setChecked(false);
        return;
    }
    if (result == TReadResult::Failed) {
        Log(QStringLiteral("Błąd otwarcia pliku: \"%1\".").arg(path));
        ui_->CheckBoxVertFileRead->setChecked(false);
        return;
    }
    std::string text;
    text.reserve(bytes.size());
    const std::vector<std::string> lines = SplitTextLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i)
        text.append(i == 0 ? "" : "\n").append(lines[i]);
    ui_->MemoVertNeon->setPlainText(FromCp1250(text));
    ui_->LabelVertNeonLastTime->setText(LastReadText(platform_->Now()));
}

// ---- Settings ------------------------------------------------------------

void TFormKR7::LoadTextSettings(TIniFile& ini) {
    ui_->EditHorizNeon->setText(FromCp1250(ini.ReadString(kHoriz, "Text", "")));
    ui_->ScrollBarHorizNeonInterval->setValue(ini.ReadInteger(kHoriz, "Interval", 1));
    ui_->ScrollBarHorizNeonY->setValue(ini.ReadInteger(kHoriz, "PosY", horizNeon_.PosY));
    ui_->ScrollBarHorizFileTime->setValue(ini.ReadInteger(kHoriz, "FileTime", 30));
    ui_->EditHorizFile->setText(FromCp1250(ini.ReadString(kHoriz, "File", "")));
    ui_->CheckBoxHorizFileRead->setChecked(ini.ReadBool(kHoriz, "FileRead", false));
    EditHorizNeonChange();

    ui_->CheckBoxVertNeonCenter->setChecked(ini.ReadBool(kVert, "Center", false));
    const std::string text = StoredPageText(ini.ReadSection(kVertLines), ini.ReadInteger(kVert, "LinesCount", 0));
    ui_->MemoVertNeon->setPlainText(FromCp1250(text));
    ui_->ScrollBarVertNeonInterval->setValue(ini.ReadInteger(kVert, "Interval", 10));
    const int posY = ini.ReadInteger(kVert, "PosY", vertNeon_.PosY);
    const int height = ini.ReadInteger(kVert, "Height", vertNeon_.Height);
    // Each bar bounds the other: restore first the one whose stored value
    // the present bounds would cut, so a stored window comes back unchanged.
    if (posY > ui_->ScrollBarVertNeonY->maximum()) {
        ui_->ScrollBarVertNeonHeight->setValue(height);
        ui_->ScrollBarVertNeonY->setValue(posY);
    } else {
        ui_->ScrollBarVertNeonY->setValue(posY);
        ui_->ScrollBarVertNeonHeight->setValue(height);
    }
    ui_->ScrollBarVertFileTime->setValue(ini.ReadInteger(kVert, "FileTime", 30));
    ui_->EditVertFile->setText(FromCp1250(ini.ReadString(kVert, "File", "")));
    ui_->CheckBoxVertFileRead->setChecked(ini.ReadBool(kVert, "FileRead", false));
    MemoVertNeonChange();
}

void TFormKR7::EnableTextFeatures(TIniFile& ini) {
    ui_->CheckBoxHorizNeonEnabled->setChecked(ini.ReadBool(kHoriz, "Enabled", true));
    ui_->CheckBoxVertNeonEnabled->setChecked(ini.ReadBool(kVert, "Enabled", false));
}

void TFormKR7::SaveTextSettings(TIniFile& ini, bool& ok) {
    ok = ini.WriteString(kHoriz, "Text", horizNeon_.GetText()) &&
         ini.WriteInteger(kHoriz, "Interval", ui_->ScrollBarHorizNeonInterval->value()) &&
         ini.WriteInteger(kHoriz, "PosY", ui_->ScrollBarHorizNeonY->value()) &&
         ini.WriteInteger(kHoriz, "FileTime", ui_->ScrollBarHorizFileTime->value()) &&
         ini.WriteString(kHoriz, "File", ToCp1250(ui_->EditHorizFile->text())) &&
         ini.WriteBool(kHoriz, "FileRead", ui_->CheckBoxHorizFileRead->isChecked()) &&
         ini.WriteBool(kHoriz, "Enabled", ui_->CheckBoxHorizNeonEnabled->isChecked()) &&
         ini.WriteBool(kVert, "Center", ui_->CheckBoxVertNeonCenter->isChecked()) &&
         ini.WriteInteger(kVert, "LinesCount", static_cast<int>(vertNeon_.Lines.size())) &&
         ini.EraseSection(kVertLines);
    // The page lines go in one write: a long text must not make the exit slow.
    std::vector<std::pair<std::string, std::string>> lines;
    lines.reserve(vertNeon_.Lines.size());
    for (std::size_t i = 0; i < vertNeon_.Lines.size(); ++i)
        lines.emplace_back("Line" + std::to_string(i), vertNeon_.Lines[i]);
    ok = ok && (lines.empty() || ini.WriteSection(kVertLines, lines));
    ok = ok && ini.WriteInteger(kVert, "Interval", ui_->ScrollBarVertNeonInterval->value()) &&
         ini.WriteInteger(kVert, "PosY", ui_->ScrollBarVertNeonY->value()) &&
         ini.WriteInteger(kVert, "Height", ui_->ScrollBarVertNeonHeight->value()) &&
         ini.WriteInteger(kVert, "FileTime", ui_->ScrollBarVertFileTime->value()) &&
         ini.WriteString(kVert, "File", ToCp1250(ui_->EditVertFile->text())) &&
         ini.WriteBool(kVert, "FileRead", ui_->CheckBoxVertFileRead->isChecked()) &&
         ini.WriteBool(kVert, "Enabled", ui_->CheckBoxVertNeonEnabled->isChecked());
}
