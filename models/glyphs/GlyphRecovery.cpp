#include "GlyphRecovery.h"

#include "Glyphs.h"
#include "PictureFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

const QString FILE_NAME = QStringLiteral("UnsavedGlyphs.bmp");

} // namespace

TGlyphRecovery::TGlyphRecovery(const QString& folder) : folder_(folder) {}

QString TGlyphRecovery::FilePath() const {
    if (folder_.isEmpty())
        return QString();
    return QDir(folder_).filePath(FILE_NAME);
}

bool TGlyphRecovery::Exists() const {
    return !folder_.isEmpty() && QFileInfo(FilePath()).isFile();
}

bool TGlyphRecovery::Keep(const QImage& chars) const {
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return false;
    return SaveBmp32File(chars, FilePath());
}

std::optional<QImage> TGlyphRecovery::Read() const {
    if (!Exists())
        return std::nullopt;
    QImageReader reader(FilePath(), "bmp");
    if (reader.size() != QSize(CHARS_WIDTH, CHARS_HEIGHT))
        return std::nullopt;
    QImage kept;
    if (!LoadBmpFile(kept, FilePath()) || kept.size() != QSize(CHARS_WIDTH, CHARS_HEIGHT))
        return std::nullopt;
    return kept.convertToFormat(QImage::Format_RGB32);
}

void TGlyphRecovery::Discard() const {
    if (Exists())
        QFile::remove(FilePath());
}
