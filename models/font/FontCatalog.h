#pragma once

#include <optional>
#include <string>
#include <vector>

// One installed font face as fontconfig lists it.
struct TFontFace {
    std::string family;
    std::string style;
    std::string file;
    int index = 0; // the face within a collection file
};

// Every installed face fontconfig knows, sorted by family, then style.
std::vector<TFontFace> InstalledFonts();

// The family names, sorted, each once.
std::vector<std::string> FontFamilies(const std::vector<TFontFace>& fonts);
// The styles of one family (its name in any letter case), the plain one first.
std::vector<std::string> FontStyles(const std::vector<TFontFace>& fonts, const std::string& family);

// "FAMILY[:STYLE]" split at its last colon; the style may be empty.
struct TFontName {
    std::string family;
    std::string style;
};
TFontName ParseFontName(const std::string& name);

enum class TFontLookupError { None, UnknownFamily, UnknownStyle };

// A face found by name, or why not: the family is not installed (closest
// holds the nearest installed family names) or it has no such style (closest
// holds its styles).
struct TFontLookup {
    std::optional<TFontFace> face;
    TFontLookupError error = TFontLookupError::None;
    std::vector<std::string> closest;
};

// Names compare in any letter case; an empty style takes the family's plain
// face (Regular, Book, Medium, Normal or Roman, else its first).
TFontLookup FindFont(const std::vector<TFontFace>& fonts, const TFontName& name);
