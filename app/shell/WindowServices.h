#pragma once

#include <QString>

class QImage;

// The few things a page controller may ask of the window that owns it. The
// window implements them; a controller never sees the window itself.

// The message log under every page.
class TMessageLog {
public:
    virtual ~TMessageLog() = default;
    // Appends one line (an empty line too) to the log.
    virtual void Log(const QString& line) = 0;
};

// The state of the shell's controls that the pages' output rules depend on.
class TShellState {
public:
    virtual ~TShellState() = default;
    // True while "Połącz" is checked (and the port therefore meant to be open).
    virtual bool IsConnectChecked() const = 0;
    // True while the Preview page is the page shown.
    virtual bool IsPreviewActive() const = 0;
};

// What the Logo page asks of the glyph editor when it draws into, or replaces,
// the current glyph set. The service page implements it.
class TGlyphSetEditor {
public:
    virtual ~TGlyphSetEditor() = default;
    // True when the set holds unsaved edits and the user chose not to go on.
    virtual bool UnsavedCharsCancelled() = 0;
    // Takes picture as the current set, saved as it stands.
    virtual void CharsReplaced(const QImage& picture) = 0;
    // Shows the set again after someone else drew into it.
    virtual void LoadCharEditor() = 0;
    virtual void CharsChanged() = 0;
};
