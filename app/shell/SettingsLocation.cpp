#include "shell/SettingsLocation.h"

#include "shell/UserFolders.h"

#include <QDir>

bool IsInstalledProgram(const TProgramPlace& place) {
    const QString dir = QDir::cleanPath(place.programDir);
    if (!place.installBinDir.isEmpty() && dir == QDir::cleanPath(place.installBinDir))
        return true;
    for (const char* system : {"/usr/bin", "/usr/local/bin", "/usr/games", "/usr/local/games"})
        if (dir == QLatin1String(system))
            return true;
    return false;
}

QString SettingsFolder(const TProgramPlace& place, const QProcessEnvironment& env) {
    if (!IsInstalledProgram(place) && place.programDirWritable)
        return QDir::cleanPath(place.programDir);
    return ConfigHome(env) + QStringLiteral("/KR7Controller");
}
