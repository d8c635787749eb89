#pragma once

class TDialogs;
class TKR7;
class TMessageLog;
class TPlatform;
class TPreview;
class TShellState;

// What the window hands to the ticker and the pages: the device, the preview
// with the row output rule, the log, the shell's state, the dialogs and the
// clock of the "last read" labels.
struct TTextPageServices {
    TKR7& device;
    TPreview& preview;
    TMessageLog& log;
    TShellState& shell;
    TDialogs& dialogs;
    TPlatform& platform;
};
