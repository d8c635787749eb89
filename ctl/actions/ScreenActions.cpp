// The one-command actions on the screen and its mode.
#include "Actions.h"
#include "KR7.h"

TActionPtr ParseClear(TArgs&) {
    return DeviceAction([](TKR7& device) { device.ClearScreen(); });
}

TActionPtr ParseStore(TArgs&) {
    return DeviceAction([](TKR7& device) { device.StoreScreen(); });
}

TActionPtr ParseMode(TArgs& args) {
    const std::string mode = Need(args, "mode (text or cross)");
    if (mode != "text" && mode != "cross")
        throw TUsageError{"mode must be text or cross, not \"" + mode + "\""};
    const int value = mode == "text" ? MODE_TEXT : MODE_CROSS;
    return DeviceAction([value](TKR7& device) { device.SetMode(value); });
}

TActionPtr ParseCross(TArgs& args) {
    const int x = ParseInt(Need(args, "crosshair X"), 0, CROSS_MAX_X, "crosshair X");
    const int y = ParseInt(Need(args, "crosshair Y"), 0, CROSS_MAX_Y, "crosshair Y");
    return DeviceAction([x, y](TKR7& device) { device.SetCrossPosition(x, y); });
}

namespace {

// The mode switched, kept as the mode the unit starts in, and stored.
TActionPtr StoredMode(int mode) {
    return DeviceAction([mode](TKR7& device) {
        device.SetMode(mode);
        device.SetStoredMode(mode);
        device.StoreScreen();
    });
}

} // namespace

TActionPtr ParseCrossMode(TArgs&) {
    return StoredMode(MODE_CROSS);
}

TActionPtr ParseTextMode(TArgs&) {
    return StoredMode(MODE_TEXT);
}
