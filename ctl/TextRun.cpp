#include "TextRun.h"

#include "Codepage.h"
#include "FeatureFile.h"
#include "FeatureSwitch.h"
#include "PortOpen.h"
#include "TextWords.h"

#include <QThread>

#include <utility>

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
    QObject::connect(&horizTimer_, &QTimer::timeout, &horizTimer_, [this] { HorizTick(); });
    QObject::connect(&vertTimer_, &QTimer::timeout, &vertTimer_, [this] { VertTick(); });
    QObject::connect(&horizFileTimer_, &QTimer::timeout, &horizFileTimer_, [this] { ReadHorizFile(); });
    QObject::connect(&vertFileTimer_, &QTimer::timeout, &vertFileTimer_, [this] { ReadVertFile(); });
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
    Report({TTextFact::Connecting, 0, {}});
    Opened();
    if (settings_.Horiz.Enabled) {
        SwitchOn(device_, horiz_);
        HorizTick();
        horizTimer_.start();
    }
    if (settings_.Vert.Enabled) {
        SwitchOn(device_, vert_);
        VertTick();
        vertTimer_.start();
    }
    return {};
}

void TTextRun::Report(const TTextEvent& event) {
    log_ << TextEventLine(event).toStdString() << std::endl;
}

void TTextRun::Opened() {
    AnnounceConnected(device_, port_.PortNumber(), [this](const TTextEvent& event) { Report(event); });
    QThread::msleep(CONNECT_PAUSE_MS);
}

void TTextRun::HorizTick() {
    device_.WriteText(0, horiz_.PosY, horiz_.NextWindow());
}

void TTextRun::VertTick() {
    for (const TVertNeon::TRow& row : vert_.NextPageRows(settings_.Vert.Center))
        device_.WriteText(0, row.row, row.text);
}

void TTextRun::ReadHorizFile() {
    const TFeatureFileRead read = ReadFeatureFile(TTextFeature::Ticker, FromCp1250(settings_.Horiz.File));
    if (read.failure) {
        Report(*read.failure);
        horizFileTimer_.stop();
        return;
    }
    horiz_.SetText(read.tickerText);
}

void TTextRun::ReadVertFile() {
    const TFeatureFileRead read = ReadFeatureFile(TTextFeature::Pages, FromCp1250(settings_.Vert.File));
    if (read.failure) {
        Report(*read.failure);
        vertFileTimer_.stop();
        return;
    }
    vert_.SetLines(read.lines);
}
