#pragma once

#include <QProcessEnvironment>
#include <QString>

// The per-user base folders of the XDG layout, read from the given environment:
// the variable when it holds an absolute path, else its default under $HOME.
QString ConfigHome(const QProcessEnvironment& env);
QString StateHome(const QProcessEnvironment& env);
