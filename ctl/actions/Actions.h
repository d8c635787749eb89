#pragma once

#include "Action.h"
#include "CommandLine.h"

// The parsers of the actions: each reads its action's arguments and options
// after the action's word and returns the action, or throws TUsageError.

// clear, store, mode text|cross, cross X Y, celownik, tekst (ScreenActions.cpp).
TActionPtr ParseClear(TArgs& args);
TActionPtr ParseStore(TArgs& args);
TActionPtr ParseMode(TArgs& args);
TActionPtr ParseCross(TArgs& args);
TActionPtr ParseCrossMode(TArgs& args);
TActionPtr ParseTextMode(TArgs& args);
// text ROW TEXT [--centre] (TextAction.cpp).
TActionPtr ParseText(TArgs& args);
// codes ROW COL HEX... (CodesAction.cpp).
TActionPtr ParseCodes(TArgs& args);
// pages FILE [--row R] [--height H] [--centre] (PagesAction.cpp).
TActionPtr ParsePages(TArgs& args);
// glyphs FILE and glyph CODE FILE (GlyphsAction.cpp).
TActionPtr ParseGlyphs(TArgs& args);
TActionPtr ParseGlyph(TArgs& args);
// logo PICTURE [options] and logo --remove (LogoAction.cpp).
TActionPtr ParseLogo(TArgs& args);
