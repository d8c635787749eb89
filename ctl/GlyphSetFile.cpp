#include "GlyphSetFile.h"

#include "Glyphs.h"
#include "MemoryStream.h"
#include "PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

TGlyphSetFile Failure(const std::string& error) {
    return {std::nullopt, error};
}

TGlyphSetFile ReadBitmapSet(const QString& fileName) {
    QImageReader reader(fileName, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize header = reader.size();
    if (header.isValid() && header != QSize(CHARS_WIDTH, CHARS_HEIGHT))
        return Failure("the bitmap is not 192 x 288 pixels");
    QImage picture;
    if (!LoadBmpFile(picture, fileName))
        return Failure("not a readable bitmap");
    if (picture.width() != CHARS_WIDTH || picture.height() != CHARS_HEIGHT)
        return Failure("the bitmap is not 192 x 288 pixels");
    return {picture.convertToFormat(QImage::Format_RGB32), {}};
}

TGlyphSetFile ReadBinarySet(const QString& fileName) {
    QFile file(fileName);
    if (file.size() != static_cast<qint64>(GLYPH_SET_BYTES))
        return Failure("a binary glyph set must be 13824 bytes");
    if (!file.open(QIODevice::ReadOnly))
        return Failure(file.errorString().toStdString());
    const QByteArray bytes = file.read(static_cast<qint64>(GLYPH_SET_BYTES) + 1);
    if (bytes.size() != static_cast<qsizetype>(GLYPH_SET_BYTES))
        return Failure("a binary glyph set must be 13824 bytes");
    TMemoryStream stream(bytes.toStdString());
    std::optional<QImage> chars = ReadCharsBitmap(stream);
    if (!chars)
        return Failure("not a glyph set");
    return {std::move(chars), {}};
}

} // namespace

TGlyphSetFile ReadGlyphSetFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        return Failure("no such file");
    if (!info.isFile())
        return Failure("not a regular file");
    if (fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
        return ReadBitmapSet(fileName);
    return ReadBinarySet(fileName);
}
