#pragma once

#include "PortResults.h"

#include <string>

class TCOMSocket;

// Why a port did not open, in English, from the kind of failure and the
// device tried: "the port is in use by another program".
std::string OpenFailureText(const TOpenResult& result);

// Opens the named port as the window connects: 2400 baud, 1024-byte queues.
// Empty on success, otherwise the one-line reason "cannot open port COM5: ...".
std::string OpenDisplayPort(TCOMSocket& port, const std::string& name);
