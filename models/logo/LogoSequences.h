#pragma once

#include "LogoTable.h"

#include <QImage>

class TKR7;
struct TProgress;

// The frames that program, remove and show a logo. progress (may be null)
// follows the glyph uploads; a cancelled progress stops them before the next
// glyph and leaves the screen unstored.

// Clear the screen, text mode now and kept, the logo rows, the tiles as
// glyphs LOGO_FIRST_CODE onward, store the screen.
void SendLogoProgram(TKR7& device, const TLogoTable& table, TProgress* progress);
// Clear the screen, crosshair mode now and kept, glyphs LOGO_FIRST_CODE to 255
// of the glyph set chars (the default set), store the screen.
void SendLogoRemoval(TKR7& device, const QImage& chars, TProgress* progress);
// The logo rows again, nothing else.
void SendLogoShow(TKR7& device, const TLogoTable& table);
