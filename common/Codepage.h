#pragma once

#include <QString>

#include <string>

// Conversion between Qt's Unicode and the Windows-1250 bytes that the device,
// the settings file and the text files use. A character that Windows-1250
// cannot hold becomes "?"; all 256 bytes round-trip unchanged.
bool CodepageAvailable();
std::string ToCp1250(const QString& text);
QString FromCp1250(const std::string& bytes);
