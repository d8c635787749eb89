#pragma once

#include "FontCatalog.h"
#include "FontOptions.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

// A glyph image with codes 1..111 drawn from a font, and the codes the font
// has no character for (they keep the base set's shapes).
struct TFontSet {
    QImage chars;
    std::vector<int> missing;
};

// One installed font face opened with FreeType, drawing the display's
// character shapes: white strokes about two pixels wide, a one-pixel black
// outline, on grey; capitals fill the cell's height, small letters and
// descenders keep to the rows of the default set.
class TFontRenderer {
public:
    // The face in file (index within a collection), or none when FreeType
    // cannot read it; error then says why.
    static std::unique_ptr<TFontRenderer> Open(const TFontFace& face, std::string& error);
    ~TFontRenderer();
    TFontRenderer(const TFontRenderer&) = delete;
    TFontRenderer& operator=(const TFontRenderer&) = delete;

    // base (a 192 x 288 glyph image) with codes 1..111 drawn from the font.
    // The same face, options and base give the same pixels every time.
    TFontSet Render(const QImage& base, const TFontOptions& options) const;

private:
    struct TFreeType;
    explicit TFontRenderer(std::unique_ptr<TFreeType> freeType);
    std::unique_ptr<TFreeType> freeType_;
};

// Looks a font up by "FAMILY[:STYLE]" among fonts and draws it over base.
// The one path that the window and kr7ctl share.
struct TFontRendering {
    TFontSet set;
    TFontLookup lookup; // lookup.face is empty when the name is unknown
    std::string error;  // a face that FreeType could not read
};
TFontRendering RenderFont(const std::vector<TFontFace>& fonts, const std::string& name, const QImage& base,
                          const TFontOptions& options);
