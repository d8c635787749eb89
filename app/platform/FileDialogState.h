#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The window's file dialogs, each remembered on its own.
enum class TFileDialog {
    LogoPicture,     // "Importuj" on the Logo page
    HorizNeonFile,   // the ticker's text file
    VertNeonFile,    // the pages' text file
    CharsBinaryLoad, // glyph set from a binary file
    CharsBinarySave,
    CharsBitmapLoad, // glyph set from a bitmap
    CharsBitmapSave,
};
inline constexpr int FILE_DIALOG_COUNT = 7;

// The short lists of files most recently used, newest first.
enum class TRecentList { Pictures, GlyphSets };
inline constexpr int RECENT_MAX = 8;

// What the file dialogs remember across runs: the folder each dialog was last
// used in, and the pictures imported and glyph sets loaded most recently.
// Kept in its own file (JSON) so the settings file keeps its designed content;
// a missing or damaged file reads as empty.
class TFileDialogState {
public:
    explicit TFileDialogState(QString path);

    // The file under $XDG_STATE_HOME/KR7Controller of this process's environment.
    static QString DefaultPath();

    const QString& Path() const { return path_; }
    // Empty when the dialog was never used or its folder is gone.
    QString Folder(TFileDialog dialog) const;
    QStringList Recent(TRecentList list) const;
    // The recent files a dialog offers besides itself: its list's files that
    // still exist, the bitmap load only the .bmp ones, the binary load the
    // others. Empty for a dialog without a list.
    QStringList Recent(TFileDialog dialog) const;

    // A file chosen in a dialog: remembers its folder, puts it at the head of
    // the dialog's recent list (if it has one) and writes the file.
    bool Chosen(TFileDialog dialog, const QString& file);

private:
    void Load();
    bool Save() const;

    QString path_;
    std::array<QString, FILE_DIALOG_COUNT> folders_;
    std::array<QStringList, 2> recent_;
};
