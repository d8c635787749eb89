#include "LineReader.h"

#include <algorithm>

namespace {

constexpr int BITS_PER_BYTE = 10;
constexpr std::size_t UNPACED_CHUNK = 65536;
// How long the line must stay quiet after the program closed it before a
// frame left unfinished is given up.
constexpr int CLOSE_GRACE_MS = 200;
constexpr int IDLE_REST_MS = 50;
// Each read takes what the line carries in this time.
constexpr auto READ_AHEAD = std::chrono::milliseconds(20);
// A wake-up later than this after the line went quiet is idle time, not
// time the line was busy with waiting bytes.
constexpr auto CATCH_UP_LIMIT = std::chrono::milliseconds(100);

} // namespace

TLineReader::TLineReader(TPtyEndpoint& endpoint, int baud, THandlers handlers)
    : endpoint_(endpoint), baud_(std::max(baud, 0)), handlers_(std::move(handlers)) {
    lineNotifier_ = std::make_unique<QSocketNotifier>(endpoint_.MasterFd(), QSocketNotifier::Read);
    QObject::connect(lineNotifier_.get(), &QSocketNotifier::activated, lineNotifier_.get(), [this] { ReadLine(); });
    watchNotifier_ = std::make_unique<QSocketNotifier>(endpoint_.WatchFd(), QSocketNotifier::Read);
    QObject::connect(watchNotifier_.get(), &QSocketNotifier::activated, watchNotifier_.get(),
                     [this] { ReadPortEvents(); });

    paceTimer_.setSingleShot(true);
    paceTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&paceTimer_, &QTimer::timeout, &paceTimer_, [this] { lineNotifier_->setEnabled(true); });
    closeTimer_.setSingleShot(true);
    closeTimer_.setInterval(CLOSE_GRACE_MS);
    QObject::connect(&closeTimer_, &QTimer::timeout, &closeTimer_, [this] { CheckClosed(); });
}

TLineReader::~TLineReader() = default;

std::chrono::nanoseconds TLineReader::ByteTime() const {
    return std::chrono::nanoseconds(1'000'000'000LL * BITS_PER_BYTE / baud_);
}

// What the line carries from start until a little past now, at least one byte.
std::size_t TLineReader::Budget(TClock::time_point start, TClock::time_point now) const {
    if (baud_ == 0)
        return UNPACED_CHUNK;
    const auto span = now + READ_AHEAD - start;
    return std::max<std::size_t>(1, static_cast<std::size_t>(span / ByteTime()));
}

void TLineReader::ReadLine() {
    const auto now = TClock::now();
    // The line carries on from where it was, unless it has been quiet.
    const auto start = std::max(lineFree_, now - CATCH_UP_LIMIT);
    const std::string bytes = endpoint_.Read(Budget(start, now));
    if (bytes.empty()) {
        // Woken with nothing to read (a hang-up would do this without end):
        // rest a moment instead of spinning.
        lineNotifier_->setEnabled(false);
        paceTimer_.start(IDLE_REST_MS);
        return;
    }
    if (baud_ > 0) {
        // Reading waits until the bytes just taken would have arrived.
        lineFree_ = start + ByteTime() * static_cast<long long>(bytes.size());
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(lineFree_ - now);
        if (wait.count() > 0) {
            lineNotifier_->setEnabled(false);
            paceTimer_.start(static_cast<int>(wait.count()));
        }
    }
    if (handlers_.bytes)
        handlers_.bytes(bytes);
}

void TLineReader::ReadPortEvents() {
    for (auto event : endpoint_.TakePortEvents()) {
        if (event == TPtyEndpoint::TPortEvent::Opened) {
            // A program that opens the port again before the last one's close
            // was settled continues the stream: nothing of it is cut off.
            closePending_ = false;
            if (handlers_.note)
                handlers_.note(QStringLiteral("port opened"));
            continue;
        }
        if (endpoint_.ProgramHandles() == 0) {
            if (handlers_.note)
                handlers_.note(QStringLiteral("port closed"));
            closePending_ = true;
            closeTimer_.start();
        }
    }
}

// The program has let go of the port: once its last bytes are read, whatever
// frame it left unfinished is over.
void TLineReader::CheckClosed() {
    if (!closePending_)
        return;
    if (endpoint_.ProgramHandles() > 0) {
        closePending_ = false;
        return;
    }
    if (endpoint_.Readable() || paceTimer_.isActive()) {
        closeTimer_.start();
        return;
    }
    closePending_ = false;
    if (handlers_.endOfStream)
        handlers_.endOfStream();
}
