#include "GlyphSetSave.h"

#include "Glyphs.h"
#include "MemoryStream.h"
#include "PictureFile.h"

#include <QSaveFile>

bool WriteWholeFile(const QString& fileName, const char* bytes, std::size_t size) {
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SaveGlyphSetFile(const QImage& chars, const QString& fileName) {
    if (chars.width() != CHARS_WIDTH || chars.height() != CHARS_HEIGHT)
        return false;
    if (fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
        return SaveBmp32File(chars, fileName);
    TMemoryStream records;
    WriteCharsBitmap(chars, records);
    const std::string& bytes = records.Bytes();
    return bytes.size() == GLYPH_SET_BYTES && WriteWholeFile(fileName, bytes.data(), bytes.size());
}
