#pragma once

#include "Plan.h"

#include <string>

// The window's settings file: --settings, else the user's KR7Controller.ini.
std::string SettingsPath(const TGlobalOptions& options);
// The port: --port, else Port of the settings file, else COM1.
std::string PortName(const TGlobalOptions& options);
