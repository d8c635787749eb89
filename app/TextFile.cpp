#include "TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

TReadResult ReadTextFile(const QString& path, qint64 limit, std::string& bytes) {
    const QFileInfo info(path);
    if (!info.exists())
        return TReadResult::Missing;
    if (!info.isFile() || info.size() > limit)
        return TReadResult::Failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TReadResult::Failed;
    // The file may have grown since it was measured: one byte past the limit
    // is enough to tell, and nothing larger than the file is set aside.
    const QByteArray data = file.read(std::min(info.size(), limit) + 1);
    if (file.error() != QFileDevice::NoError || data.size() > limit)
        return TReadResult::Failed;
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return TReadResult::Ok;
}
