// glyphs FILE and glyph CODE FILE: a whole glyph set, or one glyph of it.
#include "Actions.h"
#include "ExitStatus.h"
#include "GlyphSetFile.h"
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "TerminalProgress.h"

#include <QImage>

#include <utility>

namespace {

// The glyphs of a set file from first to last, or the one glyph code.
class TGlyphsAction : public TAction {
public:
    TGlyphsAction(std::string name, std::optional<std::uint8_t> code) : name_(std::move(name)), code_(code) {}

    std::optional<TFailure> Prepare() override {
        TGlyphSetFile file = ReadGlyphSetFile(FileName(name_));
        if (!file.chars)
            return TFailure{EXIT_FILE, "cannot read glyph set " + name_ + ": " + file.error};
        chars_ = *file.chars;
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        if (code_) {
            if (const std::optional<QImage> cell = CopyCharBitmap(*code_, chars_))
                SendCharBitmap(context.device, *code_, *cell);
            return std::nullopt;
        }
        TTerminalProgress progress(context);
        SendCharsBitmap(context.device, chars_, 0, &progress, 255);
        return std::nullopt;
    }

private:
    std::string name_;
    std::optional<std::uint8_t> code_;
    QImage chars_;
};

} // namespace

TActionPtr ParseGlyphs(TArgs& args) {
    return std::make_unique<TGlyphsAction>(Need(args, "glyph set file"), std::nullopt);
}

TActionPtr ParseGlyph(TArgs& args) {
    const int code = ParseInt(Need(args, "glyph code"), 0, 255, "glyph code");
    return std::make_unique<TGlyphsAction>(Need(args, "glyph set file"), static_cast<std::uint8_t>(code));
}
