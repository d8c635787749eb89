#pragma once

#include <QTranslator>

#include <memory>

// Qt's own Polish texts (qtbase_pl.qm from Qt's translations folder), so the
// file, colour and message dialogs read "Anuluj", "Otwórz"... beside the
// Polish window. Installed on the running application while the result lives;
// null when the translation is not installed (Debian: qt6-translations-l10n).
std::unique_ptr<QTranslator> InstallQtPolish();
