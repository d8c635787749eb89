#include "StateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void PutWord(std::string& out, int value) {
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
    out.push_back(static_cast<char>(value & 0xFF));
}

int GetWord(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) << 8 | static_cast<std::uint8_t>(bytes[at + 1]);
}

bool ValidMode(std::uint8_t mode) {
    return mode == MODE_CROSS || mode == MODE_TEXT;
}

} // namespace

QString DefaultStatePath() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/kr7-emulator/state.bin");
}

std::string EncodeState(const TDeviceState& state) {
    std::string out(STATE_TAG, STATE_TAG_BYTES);
    out.append(reinterpret_cast<const char*>(state.screen.data()), state.screen.size());
    out.push_back(static_cast<char>(state.mode));
    out.push_back(static_cast<char>(state.storedMode));
    PutWord(out, state.crossX);
    PutWord(out, state.crossY);
    out += state.glyphs;
    return out;
}

std::optional<TDeviceState> DecodeState(const std::string& bytes) {
    if (bytes.size() != static_cast<std::size_t>(STATE_FILE_BYTES) || bytes.compare(0, STATE_TAG_BYTES, STATE_TAG) != 0)
        return std::nullopt;
    TDeviceState state;
    std::size_t at = STATE_TAG_BYTES;
    std::copy(bytes.begin() + at, bytes.begin() + at + SCREEN_CELLS, state.screen.begin());
    at += SCREEN_CELLS;
    state.mode = static_cast<std::uint8_t>(bytes[at++]);
    state.storedMode = static_cast<std::uint8_t>(bytes[at++]);
    state.crossX = GetWord(bytes, at);
    state.crossY = GetWord(bytes, at + 2);
    at += 4;
    state.glyphs = bytes.substr(at);
    if (!ValidMode(state.mode) || !ValidMode(state.storedMode) || state.crossX > CROSS_MAX_X ||
        state.crossY > CROSS_MAX_Y)
        return std::nullopt;
    return state;
}

bool SaveStateFile(const QString& path, const TDeviceState& state, QString& error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    const std::string bytes = EncodeState(state);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<TDeviceState> LoadStateFile(const QString& path, QString& error) {
    error.clear();
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // Never read more than a state record can hold.
    const QByteArray bytes = file.read(STATE_FILE_BYTES + 1);
    auto state = DecodeState(bytes.toStdString());
    if (!state)
        error = QStringLiteral("%1 is not a state file of this emulator; starting blank").arg(path);
    return state;
}
