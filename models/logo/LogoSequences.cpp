#include "LogoSequences.h"

#include "GlyphUpload.h"
#include "KR7.h"
#include "Progress.h"
#include "Protocol.h"

namespace {

bool Cancelled(const TProgress* progress) {
    return progress != nullptr && progress->Cancelled();
}

void ClearIntoMode(TKR7& device, int mode) {
    device.ClearScreen();
    device.SetMode(mode);
    device.SetStoredMode(mode);
}

} // namespace

void SendLogoProgram(TKR7& device, const TLogoTable& table, TProgress* progress) {
    ClearIntoMode(device, MODE_TEXT);
    SendLogoRows(device, table); // the rows go before the glyphs they use
    SendLogoTiles(device, table, progress);
    if (!Cancelled(progress))
        device.StoreScreen();
}

void SendLogoRemoval(TKR7& device, const QImage& chars, TProgress* progress) {
    ClearIntoMode(device, MODE_CROSS);
    SendCharsBitmap(device, chars, LOGO_FIRST_CODE, progress, 255);
    if (!Cancelled(progress))
        device.StoreScreen();
}

void SendLogoShow(TKR7& device, const TLogoTable& table) {
    SendLogoRows(device, table);
}
