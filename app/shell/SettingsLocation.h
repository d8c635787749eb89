#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the program keeps KR7Controller.ini and LogoBitmap.bmp.
struct TProgramPlace {
    QString programDir; // the folder of the running executable
    bool programDirWritable = false;
    QString installBinDir; // the folder the build installs executables to
};

// True for an executable run from a system installation: the build's install
// folder or one of the system's program folders (/usr/bin, /usr/local/bin...).
bool IsInstalledProgram(const TProgramPlace& place);

// An installed program keeps its settings in $XDG_CONFIG_HOME/KR7Controller;
// any other copy (the build tree, a portable folder) beside itself when it may
// write there, else in the same per-user folder.
QString SettingsFolder(const TProgramPlace& place, const QProcessEnvironment& env);
