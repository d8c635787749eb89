#pragma once

#include <QString>
#include <QStringList>

class TDialogs;
class TLineClock;
class TPlatform;

// What main() hands to the window: where the settings live, whether the
// service page is shown, and the seams that tests replace.
struct TFormOptions {
    QString settingsDir;
    bool service = false;
    TDialogs* dialogs = nullptr;   // null: the Qt dialogs
    TPlatform* platform = nullptr; // null: the real clock and pause
    TLineClock* line = nullptr;    // null: the serial line's real clock
};

// True when args hold "service" after "-" or "/", in any letter case.
bool HasServiceSwitch(const QStringList& args);
