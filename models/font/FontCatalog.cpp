#include "FontCatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

namespace {

constexpr std::size_t CLOSEST_COUNT = 3;

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct TObjectSetDeleter {
    void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct TFontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

std::string StringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr)
        return {};
    return reinterpret_cast<const char*>(value);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return Lower(a) == Lower(b);
}

// Edit distance of two names in any letter case.
std::size_t Distance(const std::string& a, const std::string& b) {
    const std::string x = Lower(a);
    const std::string y = Lower(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[y.size()];
}

// A family that holds the asked name scores as if it were close.
std::size_t Closeness(const std::string& asked, const std::string& family) {
    if (!asked.empty() && Lower(family).find(Lower(asked)) != std::string::npos)
        return family.size() == asked.size() ? 0 : 1;
    return Distance(asked, family);
}

std::vector<std::string> Closest(const std::vector<std::string>& names, const std::string& asked) {
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& name : names)
        scored.emplace_back(Closeness(asked, name), name);
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < scored.size() && i < CLOSEST_COUNT; ++i)
        closest.push_back(scored[i].second);
    return closest;
}

int PlainRank(const std::string& style) {
    static const char* const PLAIN[] = {"regular", "book", "medium", "normal", "roman"};
    for (int i = 0; i < 5; ++i) {
        if (Lower(style) == PLAIN[i])
            return i;
    }
    return 5;
}

} // namespace

std::vector<TFontFace> InstalledFonts() {
    if (!FcInit())
        return {};
    std::unique_ptr<FcPattern, TPatternDeleter> pattern(FcPatternCreate());
    std::unique_ptr<FcObjectSet, TObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, nullptr));
    if (!pattern || !objects)
        return {};
    std::unique_ptr<FcFontSet, TFontSetDeleter> set(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!set)
        return {};
    std::vector<TFontFace> fonts;
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        TFontFace face{StringOf(font, FC_FAMILY), StringOf(font, FC_STYLE), StringOf(font, FC_FILE), 0};
        FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
        if (!face.family.empty() && !face.file.empty())
            fonts.push_back(std::move(face));
    }
    std::sort(fonts.begin(), fonts.end(), [](const TFontFace& a, const TFontFace& b) {
        return std::tie(a.family, a.style, a.file, a.index) < std::tie(b.family, b.style, b.file, b.index);
    });
    return fonts;
}

std::vector<std::string> FontFamilies(const std::vector<TFontFace>& fonts) {
    std::vector<std::string> families;
    for (const TFontFace& face : fonts)
        families.push_back(face.family);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

std::vector<std::string> FontStyles(const std::vector<TFontFace>& fonts, const std::string& family) {
    std::vector<std::string> styles;
    for (const TFontFace& face : fonts) {
        if (SameName(face.family, family) && std::find(styles.begin(), styles.end(), face.style) == styles.end())
            styles.push_back(face.style);
    }
    std::stable_sort(styles.begin(), styles.end(),
                     [](const std::string& a, const std::string& b) { return PlainRank(a) < PlainRank(b); });
    return styles;
}

TFontName ParseFontName(const std::string& name) {
    const std::size_t colon = name.rfind(':');
    if (colon == std::string::npos)
        return {name, {}};
    return {name.substr(0, colon), name.substr(colon + 1)};
}

TFontLookup FindFont(const std::vector<TFontFace>& fonts, const TFontName& name) {
    const std::vector<std::string> styles = FontStyles(fonts, name.family);
    if (styles.empty())
        return {std::nullopt, TFontLookupError::UnknownFamily, Closest(FontFamilies(fonts), name.family)};
    const std::string style = name.style.empty() ? styles.front() : name.style;
    for (const TFontFace& face : fonts) {
        if (SameName(face.family, name.family) && SameName(face.style, style))
            return {face, TFontLookupError::None, {}};
    }
    return {std::nullopt, TFontLookupError::UnknownStyle, styles};
}
