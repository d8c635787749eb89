#include "SettingsFile.h"

#include "CommandLine.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "IniFile.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdlib>

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

std::optional<TFailure> CheckSettings(const TGlobalOptions& options) {
    if (options.settings.empty())
        return std::nullopt;
    if (const std::string problem = ReadProblem(options.settings); !problem.empty())
        return TFailure{EXIT_FILE, "cannot read settings " + options.settings + ": " + problem};
    return std::nullopt;
}

std::string PortName(const TGlobalOptions& options) {
    if (!options.port.empty())
        return options.port;
    if (const char* port = std::getenv("KR7_PORT"); port != nullptr && *port != '\0')
        return port;
    const std::string path = SettingsPath(options);
    if (!QFile::exists(FileName(path)))
        return "COM1";
    TIniFile ini(FileName(path));
    return ini.ReadString("Settings", "Port", "COM1");
}
