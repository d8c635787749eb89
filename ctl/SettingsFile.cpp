#include "SettingsFile.h"

#include "CommandLine.h"
#include "IniFile.h"

#include <QFile>
#include <QStandardPaths>

namespace {

std::string DefaultSettingsPath() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/KR7Controller/KR7Controller.ini"))
        .toStdString();
}

} // namespace

std::string SettingsPath(const TGlobalOptions& options) {
    return options.settings.empty() ? DefaultSettingsPath() : options.settings;
}

std::string PortName(const TGlobalOptions& options) {
    if (!options.port.empty())
        return options.port;
    const std::string path = SettingsPath(options);
    if (!QFile::exists(FileName(path)))
        return "COM1";
    TIniFile ini(FileName(path));
    return ini.ReadString("Settings", "Port", "COM1");
}
