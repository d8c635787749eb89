#include "TextRun.h"

#include "Codepage.h"
#include "PortOpen.h"
#include "TextFile.h"

#include <QThread>

#include <utility>

namespace {

// The longest ticker text and the largest page file, as the window reads them.
constexpr qint64 HORIZ_TEXT_LIMIT = 1 << 20;
constexpr qint64 VERT_FILE_LIMIT = 16 << 20;
constexpr int RECONNECT_INTERVAL = 2000;

// The window's lines for a file that cannot be read; empty when it was read.
std::string ReadFailureLine(TReadResult result, const QString& path) {
    const std::string name = path.toStdString();
    if (result == TReadResult::Missing)
        return "Plik nie istnieje: \"" + name + "\".";
    return "Błąd otwarcia pliku: \"" + name + "\".";
}

} // namespace

TTextRun::TTextRun(const TTextSettings& settings, std::string portName, std::ostream& log)
    : settings_(settings), portName_(std::move(portName)), log_(log) {
    horiz_.SetText(settings_.Horiz.Text);
    horiz_.PosY = settings_.Horiz.PosY;
    vert_.Lines = settings_.Vert.Lines;
    vert_.PosY = settings_.Vert.PosY;
    vert_.Height = settings_.Vert.Height;
    horizTimer_.setInterval(settings_.Horiz.Interval * 100);
    vertTimer_.setInterval(settings_.Vert.Interval * 1000);
    horizFileTimer_.setInterval(settings_.Horiz.FileTime * 1000);
    vertFileTimer_.setInterval(settings_.Vert.FileTime * 1000);
    reconnectTimer_.setInterval(RECONNECT_INTERVAL);
    QObject::connect(&horizTimer_, &QTimer::timeout, &horizTimer_, [this] { HorizTick(); });
    QObject::connect(&vertTimer_, &QTimer::timeout, &vertTimer_, [this] { VertTick(); });
    QObject::connect(&horizFileTimer_, &QTimer::timeout, &horizFileTimer_, [this] { ReadHorizFile(); });
    QObject::connect(&vertFileTimer_, &QTimer::timeout, &vertFileTimer_, [this] { ReadVertFile(); });
    QObject::connect(&reconnectTimer_, &QTimer::timeout, &reconnectTimer_, [this] { Reconnect(); });
}

std::string TTextRun::Start() {
    // The order of the window's start: the files, the connection, then the ticker and the pages.
    if (settings_.Horiz.FileRead) {
        horizFileTimer_.start();
        ReadHorizFile();
    }
    if (settings_.Vert.FileRead) {
        vertFileTimer_.start();
        ReadVertFile();
    }
    const std::string failure = OpenDisplayPort(port_, portName_);
    if (!failure.empty())
        return failure;
    Log("Trwa łączenie....");
    Connect();
    if (settings_.Horiz.Enabled) {
        device_.SetMode(MODE_TEXT);
        horiz_.Reset();
        HorizTick();
        horizTimer_.start();
    }
    if (settings_.Vert.Enabled) {
        device_.SetMode(MODE_TEXT);
        vert_.Reset();
        VertTick();
        vertTimer_.start();
    }
    return {};
}

void TTextRun::Log(const std::string& line) {
    log_ << line << std::endl;
}

// The window's connection: its lines, text mode and the pause the device
// needs before the first row. A port that does not open yet is tried again
// by the reconnection without a line each time.
bool TTextRun::Connect() {
    if (!port_.IsOpen() && !OpenDisplayPort(port_, portName_).empty())
        return false;
    Log("Port połączony.");
    Log("Port: COM" + std::to_string(port_.PortNumber()));
    device_.SetMode(MODE_TEXT);
    QThread::msleep(1000);
    CheckLine();
    return port_.IsOpen();
}

void TTextRun::Reconnect() {
    if (Connect())
        reconnectTimer_.stop();
}

void TTextRun::CheckLine() {
    if (!port_.IsOpen() || port_.LastWriteFailure().error != TWriteError::DeviceGone)
        return;
    port_.Close();
    Log("Port niepołączony.");
    Log("Trwa łączenie....");
    reconnectTimer_.start();
}

void TTextRun::HorizTick() {
    device_.WriteText(0, horiz_.PosY, horiz_.NextWindow());
    CheckLine();
}

void TTextRun::VertTick() {
    for (const TVertNeon::TRow& row : vert_.NextPageRows(settings_.Vert.Center))
        device_.WriteText(0, row.row, row.text);
    CheckLine();
}

void TTextRun::ReadHorizFile() {
    const QString path = FromCp1250(settings_.Horiz.File);
    if (path.isEmpty()) {
        Log("Nie wskazano pliku dla teletekstu poziomego.");
        horizFileTimer_.stop();
        return;
    }
    std::string bytes;
    TReadResult result = ReadTextFile(path, HORIZ_TEXT_LIMIT, bytes);
    std::string text;
    if (result == TReadResult::Ok)
        for (const std::string& line : SplitTextLines(bytes))
            text.append(line).append("\r\n");
    if (result == TReadResult::Ok && text.size() > static_cast<std::size_t>(HORIZ_TEXT_LIMIT))
        result = TReadResult::Failed;
    if (result != TReadResult::Ok) {
        Log(ReadFailureLine(result, path));
        horizFileTimer_.stop();
        return;
    }
    horiz_.SetText(text);
}

void TTextRun::ReadVertFile() {
    const QString path = FromCp1250(settings_.Vert.File);
    if (path.isEmpty()) {
        Log("Nie wskazano pliku dla teletekstu pionowego.");
        vertFileTimer_.stop();
        return;
    }
    std::string bytes;
    const TReadResult result = ReadTextFile(path, VERT_FILE_LIMIT, bytes);
    if (result != TReadResult::Ok) {
        Log(ReadFailureLine(result, path));
        vertFileTimer_.stop();
        return;
    }
    vert_.SetLines(SplitTextLines(bytes));
}
