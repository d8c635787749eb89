#include "shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::unique_ptr<QTranslator> InstallQtPolish() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}
