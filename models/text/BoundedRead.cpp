#include "BoundedRead.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

TBoundedRead Refused(TReadResult result, const QString& reason = {}) {
    return {result, {}, reason.toStdString()};
}

} // namespace

TBoundedRead ReadTextFile(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.exists())
        return Refused(TReadResult::Missing);
    if (!info.isFile())
        return Refused(TReadResult::Failed, QStringLiteral("not a regular file"));
    if (info.size() > limit)
        return Refused(TReadResult::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(TReadResult::Failed, file.errorString());
    return ReadTextStream(file, limit);
}

TBoundedRead ReadTextStream(QIODevice& device, qint64 limit) {
    // One byte past the limit is enough to tell; nothing larger is set aside
    // than what has come.
    constexpr qint64 CHUNK = 64 * 1024;
    std::string bytes;
    for (;;) {
        const qint64 want = std::min(CHUNK, limit + 1 - static_cast<qint64>(bytes.size()));
        if (want <= 0)
            return Refused(TReadResult::TooLarge);
        const std::size_t at = bytes.size();
        bytes.resize(at + static_cast<std::size_t>(want));
        const qint64 got = device.read(bytes.data() + at, want);
        if (got < 0)
            return Refused(TReadResult::Failed, device.errorString());
        bytes.resize(at + static_cast<std::size_t>(got));
        if (got == 0)
            break; // the end: a blocking read gives nothing only there
    }
    return {TReadResult::Ok, std::move(bytes), {}};
}

TBoundedRead ReadTextInput(const QString& name, qint64 limit) {
    QFile file;
    if (name == QStringLiteral("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered))
            return Refused(TReadResult::Failed, file.errorString());
        return ReadTextStream(file, limit);
    }
    const QFileInfo info(name);
    if (!info.exists())
        return Refused(TReadResult::Missing);
    if (info.isDir())
        return Refused(TReadResult::Failed, QStringLiteral("is a folder"));
    if (info.isFile() && info.size() > limit)
        return Refused(TReadResult::TooLarge);
    file.setFileName(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Refused(TReadResult::Failed, file.errorString());
    return ReadTextStream(file, limit);
}
