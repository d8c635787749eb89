#pragma once

#include <QString>

#include <array>
#include <vector>

constexpr int FONT_FIRST_CODE = 1;
constexpr int FONT_LAST_CODE = 111;
constexpr int FONT_CODE_COUNT = FONT_LAST_CODE - FONT_FIRST_CODE + 1;

// The character of each text code 1..111 (index code - 1), as Unicode: the
// Windows-1250 byte that the character table maps onto the code, decoded.
const std::array<char32_t, FONT_CODE_COUNT>& FontCharacters();

// The characters of the codes, one after another, separated by spaces.
QString CharactersOfCodes(const std::vector<int>& codes);
