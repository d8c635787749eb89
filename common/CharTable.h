#pragma once

#include "Protocol.h"

#include <cstdint>
#include <string>

// Windows-1250 byte to glyph code; bytes without a glyph give 0.
std::uint8_t CharToCode(unsigned char ch);
// The text with every byte replaced by its code; same length.
std::string TextToCodes(const std::string& text);

// Thirty spaces: blanks a whole screen row.
inline const std::string BlankRow(SCREEN_COLUMNS, ' ');
