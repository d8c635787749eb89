#pragma once

#include "PortResults.h"

#include <QString>

// The log line that says why the port did not open, worded from the facts of
// the failure in the window's language ("Przyczyna: ...").
QString OpenFailureLine(const TOpenResult& result);
