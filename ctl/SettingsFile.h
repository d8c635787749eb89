#pragma once

#include "Failure.h"
#include "Plan.h"

#include <optional>
#include <string>

// The window's settings file: --settings, else the user's KR7Controller.ini.
std::string SettingsPath(const TGlobalOptions& options);
// A settings file named by --settings that cannot be read, as a failure.
std::optional<TFailure> CheckSettings(const TGlobalOptions& options);
// The port: --port, else KR7_PORT, else Port of the settings file, else COM1.
std::string PortName(const TGlobalOptions& options);
