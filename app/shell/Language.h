#pragma once

#include <QProcessEnvironment>
#include <QStringList>
#include <QTranslator>

#include <memory>

// The window speaks Polish as designed. English is used only when asked for:
// "--lang en" (or "--lang=en") on the command line, else KR7_LANG=en; never
// picked from the system locale.
enum class TLanguage { Polish, English };

TLanguage RequestedLanguage(const QStringList& args, const QProcessEnvironment& env);

// The window's English texts embedded in the program; null when they cannot
// be loaded or installed. Installed on the running application while the
// result lives.
std::unique_ptr<QTranslator> InstallProgramEnglish();

// The translator for language: the window's English texts (Qt's own dialogs
// then stay English), or Qt's Polish dialog texts beside the Polish window.
// Installed before the window is built; null when it cannot be loaded.
std::unique_ptr<QTranslator> InstallLanguage(TLanguage language);
