#pragma once

#include "SerialPorts.h"

#include <vector>

class QComboBox;

// Replaces the items of the port box with ports. Each item's text is the port
// name alone (what the box shows once it is chosen); the open list shows the
// device and, for USB adapters, maker, model and serial number beside it.
void FillPortList(QComboBox& combo, const std::vector<TSerialPortInfo>& ports);
