#pragma once

#include <QString>

class TDialogs;
class TLineClock;
class TPlatform;

// What main() hands to the window: where the settings live, whether the
// service page is shown, where unsaved glyph edits are kept, and the seams
// that tests replace.
struct TFormOptions {
    QString settingsDir;
    bool service = false;
    QString recoveryDir;           // unsaved glyph edits over a forced close; empty: not kept
    TDialogs* dialogs = nullptr;   // null: the Qt dialogs
    TPlatform* platform = nullptr; // null: the real clock and pause
    TLineClock* line = nullptr;    // null: the serial line's real clock
};
