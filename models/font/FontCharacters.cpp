#include "FontCharacters.h"

#include "CharTable.h"
#include "Codepage.h"

#include <QStringList>

#include <string>
#include <vector>

namespace {

std::array<char32_t, FONT_CODE_COUNT> BuildCharacters() {
    std::array<char32_t, FONT_CODE_COUNT> characters{};
    for (int byte = 0; byte < 256; ++byte) {
        const int code = CharToCode(static_cast<unsigned char>(byte));
        if (code < FONT_FIRST_CODE || code > FONT_LAST_CODE)
            continue;
        const QString text = FromCp1250(std::string(1, static_cast<char>(byte)));
        characters[code - FONT_FIRST_CODE] = text.isEmpty() ? 0 : text.toUcs4().value(0);
    }
    return characters;
}

} // namespace

const std::array<char32_t, FONT_CODE_COUNT>& FontCharacters() {
    static const std::array<char32_t, FONT_CODE_COUNT> characters = BuildCharacters();
    return characters;
}

QString CharactersOfCodes(const std::vector<int>& codes) {
    QStringList words;
    for (const int code : codes) {
        if (code >= FONT_FIRST_CODE && code <= FONT_LAST_CODE) {
            const char32_t character = FontCharacters()[code - FONT_FIRST_CODE];
            words << QString::fromUcs4(&character, 1);
        }
    }
    return words.join(QLatin1Char(' '));
}
