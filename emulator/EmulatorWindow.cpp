#include "EmulatorWindow.h"

#include "Session.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int SCALE = 2;
constexpr int REFRESH_MS = 50;
// The bytes in flight change while no frame completes.
constexpr int LINE_REFRESH_MS = 250;
constexpr int TRAFFIC_LINES = 20000;

} // namespace

TEmulatorWindow::TEmulatorWindow(TEmulatorSession& session, const QString& portText, QWidget* parent)
    : QWidget(parent), session_(session) {
    setWindowTitle(QStringLiteral("KR-7 emulator - %1").arg(portText));
    auto* layout = new QVBoxLayout(this);

    auto* port = new QLabel(portText, this);
    port->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(port);

    screen_ = new QLabel(this);
    screen_->setObjectName(QStringLiteral("Screen"));
    screen_->setFixedSize(360 * SCALE, 288 * SCALE);
    layout->addWidget(screen_, 0, Qt::AlignHCenter);

    counters_ = new QLabel(this);
    counters_->setObjectName(QStringLiteral("Counters"));
    layout->addWidget(counters_);

    traffic_ = new QPlainTextEdit(this);
    traffic_->setObjectName(QStringLiteral("Traffic"));
    traffic_->setReadOnly(true);
    traffic_->setMaximumBlockCount(TRAFFIC_LINES);
    traffic_->setLineWrapMode(QPlainTextEdit::NoWrap);
    traffic_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    traffic_->setMinimumHeight(200);
    layout->addWidget(traffic_, 1);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(REFRESH_MS);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { Refresh(); });
    lineTimer_.setInterval(LINE_REFRESH_MS);
    connect(&lineTimer_, &QTimer::timeout, this, [this] { counters_->setText(session_.CountersText()); });
    lineTimer_.start();
    Refresh();
}

void TEmulatorWindow::AppendTraffic(const QString& line) {
    traffic_->appendPlainText(line);
    if (!refreshTimer_.isActive())
        refreshTimer_.start();
}

void TEmulatorWindow::Refresh() {
    const QImage screen = session_.Device().Render();
    screen_->setPixmap(QPixmap::fromImage(screen.scaled(screen.size() * SCALE)));
    counters_->setText(session_.CountersText());
}
