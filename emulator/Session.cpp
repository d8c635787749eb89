#include "Session.h"

#include "Codepage.h"
#include "StateFile.h"

namespace {

constexpr int BITS_PER_BYTE = 10; // start bit, 8 data bits, stop bit
constexpr int NOMINAL_BAUD = 2400;
// The terminal layer's own buffer: a count this high may hide more.
constexpr std::size_t COUNTED_AT_MOST = 4095;

QString ModeName(std::uint8_t mode) {
    switch (mode) {
    case MODE_CROSS:
        return QStringLiteral("%1 cross").arg(mode);
    case MODE_TEXT:
        return QStringLiteral("%1 text").arg(mode);
    default:
        return QStringLiteral("%1 unknown").arg(mode);
    }
}

// Text bytes for display: control bytes shown as a middle dot.
QString PrintableText(const std::string& bytes) {
    QString text = FromCp1250(bytes);
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QChar(0x00B7);
    return text;
}

QString CellsPlace(const TDeviceCommand& command) {
    return QStringLiteral("column %1, row %2").arg(command.params[0]).arg(command.params[1]);
}

} // namespace

QString HexBytes(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size() * 3));
    for (unsigned char b : bytes) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 0x0F]);
    }
    return out;
}

QString DescribeCommand(const TDeviceCommand& command) {
    const auto& p = command.params;
    switch (command.code) {
    case TCommand::SetCrossPosition:
        return QStringLiteral("SetCrossPosition(x %1, y %2)").arg(p[0] << 8 | p[1]).arg(p[2] << 8 | p[3]);
    case TCommand::SetMode:
        return QStringLiteral("SetMode(%1)").arg(ModeName(p[0]));
    case TCommand::StoreScreen:
        return QStringLiteral("StoreScreen");
    case TCommand::ClearScreen:
        return QStringLiteral("ClearScreen");
    case TCommand::WriteText:
        return QStringLiteral("WriteText(%1, \"%2\")").arg(CellsPlace(command), PrintableText(command.payload));
    case TCommand::LoadGlyph:
        return QStringLiteral("LoadGlyph(code %1)").arg(p[0]);
    case TCommand::WriteCodes:
        return QStringLiteral("WriteCodes(%1, %2 codes)").arg(CellsPlace(command)).arg(command.payload.size());
    case TCommand::SetStoredMode:
        return QStringLiteral("SetStoredMode(%1)").arg(ModeName(p[0]));
    default:
        return QStringLiteral("command %1").arg(static_cast<int>(command.code));
    }
}

QString DescribeEvent(const TParserEvent& event) {
    using K = TParserEvent::TKind;
    const QString more = event.byteCount > event.bytes.size() ? QStringLiteral(" ...") : QString();
    const QString hex = HexBytes(event.bytes) + more;
    switch (event.kind) {
    case K::Command:
        return DescribeCommand(event.command) + QStringLiteral(": ") + HexBytes(event.command.Bytes());
    case K::ChecksumError:
        return QStringLiteral("checksum error, frame skipped: ") + hex;
    case K::UnknownCode:
        return QStringLiteral("unknown command code, frame skipped: ") + hex;
    case K::Skipped:
        return QStringLiteral("%1 bytes outside any frame skipped: ").arg(event.byteCount) + hex;
    case K::Dropped:
        return QStringLiteral("frame cut off, %1 bytes dropped: ").arg(event.byteCount) + hex;
    }
    return hex;
}

TDeviceState PowerOnState(const QString& statePath, QString& notice) {
    QString error;
    if (auto kept = LoadStateFile(statePath, error)) {
        kept->mode = kept->storedMode;
        notice = QStringLiteral("state restored from %1").arg(statePath);
        return *kept;
    }
    TDeviceState state;
    if (auto glyphs = DefaultGlyphRecords())
        state.glyphs = *glyphs;
    else
        error += (error.isEmpty() ? QString() : QStringLiteral("; ")) +
                 QStringLiteral("the default glyph set is missing, glyphs start blank");
    notice = error.isEmpty() ? QStringLiteral("blank screen, default glyph set") : error;
    return state;
}

TEmulatorSession::TEmulatorSession(TDeviceState initial, QString statePath, int baud)
    : device_(std::move(initial)), parser_([this](const TParserEvent& event) { OnEvent(event); }),
      statePath_(std::move(statePath)), baud_(baud) {
    device_.SetStoreHandler([this](const TDeviceState& state) { OnStore(state); });
}

void TEmulatorSession::Feed(std::string_view bytes) {
    parser_.Feed(bytes);
}

void TEmulatorSession::EndOfStream() {
    parser_.EndOfStream();
}

void TEmulatorSession::Note(const QString& line) {
    Emit(line);
}

bool TEmulatorSession::OpenLog(const QString& path, QString& error) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file->errorString());
        return false;
    }
    log_ = std::move(file);
    return true;
}

double TEmulatorSession::LineSeconds() const {
    const int baud = baud_ > 0 ? baud_ : NOMINAL_BAUD;
    return static_cast<double>(Counters().bytes) * BITS_PER_BYTE / baud;
}

QString TEmulatorSession::CountersText() const {
    const auto& c = Counters();
    return QStringLiteral("frames %1, bytes %2, checksum errors %3, unknown codes %4, skipped %5, dropped %6, "
                          "line time %7 s")
               .arg(c.frames)
               .arg(c.bytes)
               .arg(c.checksumErrors)
               .arg(c.unknownCodes)
               .arg(c.skippedBytes)
               .arg(c.droppedBytes)
               .arg(LineSeconds(), 0, 'f', 1) +
           (waiting_ ? QStringLiteral(", ") + LagText() : QString());
}

QString TEmulatorSession::LagText() const {
    if (!waiting_)
        return {};
    const std::size_t waiting = waiting_();
    const int baud = baud_ > 0 ? baud_ : NOMINAL_BAUD;
    const double behind = static_cast<double>(waiting) * BITS_PER_BYTE / baud;
    const QString atLeast = waiting >= COUNTED_AT_MOST ? QStringLiteral("at least ") : QString();
    return QStringLiteral("in flight %1%2 bytes, %1%3 s behind the sender")
        .arg(atLeast)
        .arg(waiting)
        .arg(behind, 0, 'f', 1);
}

void TEmulatorSession::OnEvent(const TParserEvent& event) {
    QString line = DescribeEvent(event);
    if (event.kind == TParserEvent::TKind::Command) {
        storeError_.clear();
        QString remark = QString::fromStdString(device_.Apply(event.command));
        if (!storeError_.isEmpty())
            remark = QStringLiteral("state not kept: ") + storeError_;
        if (!remark.isEmpty())
            line += QStringLiteral(" (") + remark + QLatin1Char(')');
    }
    Emit(line);
}

void TEmulatorSession::OnStore(const TDeviceState& state) {
    if (SaveStateFile(statePath_, state, storeError_))
        ++storesWritten_;
}

void TEmulatorSession::Emit(const QString& line) {
    if (log_) {
        log_->write(line.toUtf8());
        log_->write("\n");
        log_->flush();
    }
    if (traffic_)
        traffic_(line);
}
