// font "FAMILY[:STYLE]" --out FILE [--base SETFILE] [--size N] [--weight N]
// [--no-outline] [--preview FILE.png]: a glyph set drawn from an installed font.
#include "Actions.h"
#include "ExitStatus.h"
#include "FontCatalog.h"
#include "FontCharacters.h"
#include "FontRenderer.h"
#include "GlyphPreview.h"
#include "GlyphSetFile.h"
#include "GlyphSetSave.h"

#include <QImage>

#include <utility>

namespace {

constexpr int PREVIEW_ZOOM = 4;

struct TFontOutputs {
    std::string out;
    std::string base;
    std::string preview;
};

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// Why the font name was refused, with the names the user may have meant.
std::string LookupFailure(const std::string& name, const TFontLookup& lookup) {
    const TFontName parts = ParseFontName(name);
    if (lookup.error == TFontLookupError::UnknownStyle)
        return "font family \"" + parts.family + "\" has no style \"" + parts.style +
               "\"; its styles: " + Joined(lookup.closest);
    if (lookup.closest.empty())
        return "no installed font is named \"" + parts.family + "\" (fontconfig lists no fonts)";
    return "no installed font is named \"" + parts.family + "\"; closest: " + Joined(lookup.closest);
}

class TFontAction : public TAction {
public:
    TFontAction(std::string name, const TFontOptions& options, TFontOutputs outputs)
        : name_(std::move(name)), options_(options), outputs_(std::move(outputs)) {}

    bool Sends() const override { return false; }

    std::optional<TFailure> Prepare() override {
        QImage base = QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
        if (!outputs_.base.empty()) {
            TGlyphSetFile file = ReadGlyphSetFile(FileName(outputs_.base));
            if (!file.chars)
                return TFailure{EXIT_FILE, "cannot read glyph set " + outputs_.base + ": " + file.error};
            base = *file.chars;
        }
        const TFontRendering rendering = RenderFont(InstalledFonts(), name_, base, options_);
        if (!rendering.lookup.face)
            return TFailure{EXIT_FILE, LookupFailure(name_, rendering.lookup)};
        if (!rendering.error.empty())
            return TFailure{EXIT_FILE, "cannot use font \"" + name_ + "\": " + rendering.error};
        set_ = rendering.set;
        face_ = *rendering.lookup.face;
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        if (!set_.missing.empty())
            context.notes << "font " << face_.family << ":" << face_.style << " has no "
                        << CharactersOfCodes(set_.missing).toStdString() << "; those keep the base set's shapes\n";
        if (!SaveGlyphSetFile(set_.chars, FileName(outputs_.out)))
            return TFailure{EXIT_FILE, "cannot write glyph set " + outputs_.out};
        if (!outputs_.preview.empty() &&
            !GlyphSetPreview(set_.chars, PREVIEW_ZOOM).save(FileName(outputs_.preview), "PNG"))
            return TFailure{EXIT_FILE, "cannot write preview " + outputs_.preview};
        return std::nullopt;
    }

private:
    std::string name_;
    TFontOptions options_;
    TFontOutputs outputs_;
    TFontSet set_;
    TFontFace face_;
};

// Takes one font option; false when the next word is none.
bool TakeFontOption(TArgs& args, TFontOptions& options, TFontOutputs& outputs) {
    if (args.Take("--out"))
        outputs.out = Need(args, "glyph set file after --out");
    else if (args.Take("--base"))
        outputs.base = Need(args, "glyph set file after --base");
    else if (args.Take("--preview"))
        outputs.preview = Need(args, "--preview file");
    else if (args.Take("--size"))
        options.size = ParseInt(Need(args, "--size value"), FONT_SIZE_MIN, FONT_SIZE_MAX, "--size");
    else if (args.Take("--weight"))
        options.weight = ParseInt(Need(args, "--weight value"), FONT_WEIGHT_MIN, FONT_WEIGHT_MAX, "--weight");
    else if (args.Take("--no-outline"))
        options.outline = false;
    else
        return false;
    return true;
}

} // namespace

TActionPtr ParseFont(TArgs& args) {
    const std::string name = Need(args, "font name");
    TFontOptions options;
    TFontOutputs outputs;
    while (TakeFontOption(args, options, outputs)) {
    }
    if (outputs.out.empty())
        throw TUsageError{"font needs --out FILE (a .bmp or a binary glyph set)"};
    return std::make_unique<TFontAction>(name, options, std::move(outputs));
}
