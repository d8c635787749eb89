// codes ROW COL HEX...: glyph codes written at a cell.
#include "Actions.h"
#include "KR7.h"

#include <cstdlib>

TActionPtr ParseCodes(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    const int column = ParseInt(Need(args, "column"), 1, SCREEN_COLUMNS, "column");
    std::string codes;
    while (!args.AtEnd() && !IsOption(args.Peek())) {
        const std::string word = args.Peek();
        char* end = nullptr;
        const long value = std::strtol(word.c_str(), &end, 16);
        if (word.empty() || *end != '\0' || value < 0 || value > 255)
            break; // the next action
        codes.push_back(static_cast<char>(value));
        args.Next();
    }
    if (codes.empty())
        throw TUsageError{"codes needs at least one hex byte"};
    return DeviceAction([row, column, codes](TKR7& device) { device.WriteCodes(column - 1, row - 1, codes); });
}
