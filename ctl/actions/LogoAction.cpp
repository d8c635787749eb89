// logo PICTURE [options]: a picture tiled into logo glyphs, shown, previewed
// or programmed; logo --remove: the default glyphs back and crosshair mode.
#include "Actions.h"
#include "ExitStatus.h"
#include "GlyphUpload.h"
#include "KR7.h"
#include "LogoJob.h"
#include "LogoTable.h"
#include "PictureFaultText.h"
#include "PictureFile.h"
#include "TerminalProgress.h"

#include <QFile>
#include <QImage>

#include <cstdlib>
#include <utility>

namespace {

class TRemoveLogoAction : public TAction {
public:
    std::optional<TFailure> Run(TContext& context) override {
        const QImage defaults = QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        context.device.ClearScreen();
        context.device.SetMode(MODE_CROSS);
        context.device.SetStoredMode(MODE_CROSS);
        SendCharsBitmap(context.device, defaults, LOGO_FIRST_CODE, &progress, 255);
        context.device.StoreScreen();
        return std::nullopt;
    }
};

// What the logo options ask for besides the placement.
struct TLogoOutputs {
    std::string preview;
    bool program = false;
};

QRgb ParseColour(const std::string& word) {
    std::string hex = word;
    if (!hex.empty() && hex[0] == '#')
        hex.erase(0, 1);
    char* end = nullptr;
    const unsigned long value = std::strtoul(hex.c_str(), &end, 16);
    if (hex.size() != 6 || *end != '\0')
        throw TUsageError{"--background must be a colour RRGGBB, not \"" + word + "\""};
    return static_cast<QRgb>(value);
}

int ParseLogoMode(const std::string& mode) {
    if (mode != "bw" && mode != "mosaic" && mode != "mix")
        throw TUsageError{"--mode must be bw, mosaic or mix, not \"" + mode + "\""};
    return mode == "bw" ? 0 : mode == "mosaic" ? 1 : 2;
}

// Takes one logo option; false when the next word is none.
bool TakeLogoOption(TArgs& args, TLogoPlacement& placement, TLogoOutputs& outputs) {
    if (args.Take("--x"))
        placement.x = ParseInt(Need(args, "--x value"), -1000, 1000, "--x");
    else if (args.Take("--y"))
        placement.y = ParseInt(Need(args, "--y value"), -1000, 1000, "--y");
    else if (args.Take("--width"))
        placement.width = ParseInt(Need(args, "--width value"), 1, 1000, "--width");
    else if (args.Take("--height"))
        placement.height = ParseInt(Need(args, "--height value"), 1, 1000, "--height");
    else if (args.Take("--level"))
        placement.level = ParseInt(Need(args, "--level value"), 1, 99, "--level");
    else if (args.Take("--tolerance"))
        placement.tolerance = ParseInt(Need(args, "--tolerance value"), 1, 100, "--tolerance");
    else if (args.Take("--negative"))
        placement.negative = true;
    else if (args.Take("--background"))
        placement.background = ParseColour(Need(args, "--background colour"));
    else if (args.Take("--preview"))
        outputs.preview = Need(args, "--preview file");
    else if (args.Take("--program"))
        outputs.program = true;
    else if (args.Take("--mode"))
        placement.mode = ParseLogoMode(Need(args, "--mode value"));
    else
        return false;
    return true;
}

class TLogoAction : public TAction {
public:
    TLogoAction(std::string name, const TLogoPlacement& placement, TLogoOutputs outputs)
        : name_(std::move(name)), placement_(placement), outputs_(std::move(outputs)) {}

    std::optional<TFailure> Prepare() override {
        if (!QFile::exists(FileName(name_)))
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": no such file"};
        const TPictureResult read = LoadPicture(FileName(name_));
        if (!read.Ok())
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": " + PictureFaultText(read, name_)};
        view_ = RenderPlacedLogo(read.image, placement_);
        table_ = BuildLogoTable(view_, nullptr);
        if (!table_ || table_->Failed)
            return TFailure{EXIT_LOGO_TOO_BIG,
                            "the logo needs more than " + std::to_string(LOGO_MAX_TILES) + " glyphs; make it smaller"};
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        const TLogoTable& table = *table_;
        const int percent = static_cast<int>(table.TileCount * 100.0 / LOGO_MAX_TILES + 0.5);
        context.err << "logo uses " << table.TileCount << " of " << LOGO_MAX_TILES << " glyphs (" << percent << "%)\n";
        if (!outputs_.preview.empty() && !view_.save(FileName(outputs_.preview), "PNG"))
            return TFailure{EXIT_FILE, "cannot write preview " + outputs_.preview};
        if (!outputs_.program)
            return std::nullopt;
        if (!IsLogoGenerated(table)) {
            context.err << "no logo glyph on the screen; nothing to program\n";
            return std::nullopt;
        }
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        context.device.ClearScreen();
        context.device.SetMode(MODE_TEXT);
        context.device.SetStoredMode(MODE_TEXT);
        SendLogoRows(context.device, table);
        SendLogoTiles(context.device, table, &progress);
        context.device.StoreScreen();
        return std::nullopt;
    }

private:
    std::string name_;
    TLogoPlacement placement_;
    TLogoOutputs outputs_;
    QImage view_;
    std::optional<TLogoTable> table_;
};

} // namespace

TActionPtr ParseLogo(TArgs& args) {
    if (args.Take("--remove"))
        return std::make_unique<TRemoveLogoAction>();
    const std::string name = Need(args, "picture file");
    TLogoPlacement placement;
    TLogoOutputs outputs;
    while (TakeLogoOption(args, placement, outputs)) {
    }
    return std::make_unique<TLogoAction>(name, placement, std::move(outputs));
}
