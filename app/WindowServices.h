#pragma once

#include <QString>

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
