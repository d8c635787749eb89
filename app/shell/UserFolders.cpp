#include "shell/UserFolders.h"

#include <QDir>

namespace {

QString XdgFolder(const QProcessEnvironment& env, const QString& variable, const QString& fallback) {
    const QString value = env.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(env.value(QStringLiteral("HOME"), QDir::homePath()) + u'/' + fallback);
}

} // namespace

QString ConfigHome(const QProcessEnvironment& env) {
    return XdgFolder(env, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral(".config"));
}

QString StateHome(const QProcessEnvironment& env) {
    return XdgFolder(env, QStringLiteral("XDG_STATE_HOME"), QStringLiteral(".local/state"));
}
