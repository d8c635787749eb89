#pragma once

#include <QImage>
#include <QString>

#include <optional>

// Unsaved glyph edits kept over a close that could not ask about them (a
// signal, the end of the session): the whole set as a 192 x 288 bitmap in a
// folder of the user's state, offered again at the next start. An empty
// folder turns keeping off.
class TGlyphRecovery {
public:
    explicit TGlyphRecovery(const QString& folder);

    QString FilePath() const;
    bool Exists() const;
    // Writes the set, replacing any earlier file in one step; the folder is
    // made when missing. False when nothing could be written.
    bool Keep(const QImage& chars) const;
    // The kept set, or none when there is none or it is no 192 x 288 bitmap.
    std::optional<QImage> Read() const;
    void Discard() const;

private:
    QString folder_;
};
