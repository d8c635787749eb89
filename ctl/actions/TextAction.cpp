// text ROW TEXT [--centre]: one row of text.
#include "Actions.h"
#include "Codepage.h"
#include "KR7.h"
#include "Neon.h"

#include <QString>

TActionPtr ParseText(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    const std::string text = ToCp1250(QString::fromUtf8(Need(args, "text")));
    const bool centre = args.Take("--centre");
    const std::string padded = PageRow(text, centre);
    return DeviceAction([row, padded](TKR7& device) { device.WriteText(0, row - 1, padded); });
}
