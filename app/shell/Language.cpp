#include "shell/Language.h"

#include "shell/QtTranslation.h"

#include <QCoreApplication>

namespace {

// The value of "--lang xx" or "--lang=xx" in args (the last one given), or
// an empty string.
QString LanguageSwitch(const QStringList& args) {
    const QString name = QStringLiteral("--lang");
    QString value;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size())
            value = args[++i];
        else if (args[i].startsWith(name + u'='))
            value = args[i].mid(name.size() + 1);
    }
    return value;
}

TLanguage LanguageNamed(const QString& name) {
    return name.compare(QStringLiteral("en"), Qt::CaseInsensitive) == 0 ? TLanguage::English : TLanguage::Polish;
}

} // namespace

TLanguage RequestedLanguage(const QStringList& args, const QProcessEnvironment& env) {
    const QString given = LanguageSwitch(args);
    if (!given.isEmpty())
        return LanguageNamed(given);
    return LanguageNamed(env.value(QStringLiteral("KR7_LANG")));
}

std::unique_ptr<QTranslator> InstallProgramEnglish() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/translations/kr7controller_en.qm")))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

std::unique_ptr<QTranslator> InstallLanguage(TLanguage language) {
    return language == TLanguage::English ? InstallProgramEnglish() : InstallQtPolish();
}
