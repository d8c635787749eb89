#include "FeatureSwitch.h"

#include "CharTable.h"
#include "KR7.h"
#include "Neon.h"
#include "Protocol.h"

void SwitchOn(TKR7& device, THorizNeon& ticker) {
    device.SetMode(MODE_TEXT);
    ticker.Reset();
}

void SwitchOn(TKR7& device, TVertNeon& pages) {
    device.SetMode(MODE_TEXT);
    pages.Reset();
}

void SwitchOff(TKR7& device, const THorizNeon& ticker) {
    device.WriteText(0, ticker.PosY, BlankRow);
}

void SwitchOff(TKR7& device, const TVertNeon& pages) {
    for (int r = pages.PosY; r < pages.EndRow(); ++r)
        device.WriteText(0, r, BlankRow);
}
