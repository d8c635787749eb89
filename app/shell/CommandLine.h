#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the window program. Qt's own options
// (-platform, -style, -geometry...) pass through to the toolkit.
struct TCommandLine {
    bool help = false;
    bool version = false;
    bool service = false;
    QString language;    // "en", "pl" or empty: the environment decides
    QString settingsDir; // empty: the usual place
    QStringList files;   // pictures to import as the logo
    QString error;       // set when the line cannot be used: exit 2 with the usage
};

// Reads args (the program's name first). Unknown options and missing or
// unknown values give error.
TCommandLine ParseCommandLine(const QStringList& args);

// The usage text printed by --help and after a wrong command line.
QString UsageText();
