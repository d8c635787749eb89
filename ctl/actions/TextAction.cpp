// text ROW TEXT [--centre]: one row of text.
#include "Actions.h"
#include "KR7.h"
#include "Protocol.h"
#include "RowText.h"

TActionPtr ParseText(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    const std::string utf8 = Need(args, "text");
    const bool centre = args.Take("--centre");
    const TRowText text = RowFromUtf8(utf8, centre);
    std::vector<std::string> warnings;
    if (text.invalidUtf8)
        warnings.emplace_back("the text is not valid UTF-8; each invalid byte sequence became \"?\"");
    if (text.unmappable > 0)
        warnings.push_back(std::to_string(text.unmappable) +
                           " character(s) of the text have no Windows-1250 form; each became \"?\"");
    if (text.cells > SCREEN_COLUMNS)
        warnings.push_back("the text is " + std::to_string(text.cells) + " cells long; the row shows the first " +
                           std::to_string(SCREEN_COLUMNS));
    return DeviceAction([row, padded = text.row](TKR7& device) { device.WriteText(0, row - 1, padded); },
                        std::move(warnings));
}
