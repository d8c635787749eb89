#include "service/ServiceFiles.h"

#include "Glyphs.h"
#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

TExactReadResult ReadExactFile(const QString& fileName, std::size_t size, std::string& bytes) {
    QFile file(fileName);
    const QFileInfo info(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return TExactReadResult::Failed;
    if (file.size() != static_cast<qint64>(size))
        return TExactReadResult::WrongSize;
    bytes.resize(size + 1);
    const qint64 read = file.read(bytes.data(), static_cast<qint64>(bytes.size()));
    if (read != static_cast<qint64>(size))
        return TExactReadResult::Failed; // the file changed while it was read
    bytes.resize(size);
    return TExactReadResult::Ok;
}

TBitmapResult ReadCharsBitmapFile(const QString& fileName, QImage& picture) {
    if (!QFileInfo(fileName).isFile())
        return TBitmapResult::Failed;
    QImageReader reader(fileName, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize header = reader.size();
    if (header.isValid() && header != QSize(CHARS_WIDTH, CHARS_HEIGHT))
        return TBitmapResult::WrongSize;
    QImage loaded;
    if (!LoadBmpFile(loaded, fileName))
        return TBitmapResult::Failed;
    if (loaded.width() != CHARS_WIDTH || loaded.height() != CHARS_HEIGHT)
        return TBitmapResult::WrongSize;
    picture = std::move(loaded);
    return TBitmapResult::Ok;
}
