// logo PICTURE [options]: the logo document the Logo page would hold after a
// user imported the picture with these settings, tiled, previewed or
// programmed; logo --remove: the default glyphs back and crosshair mode.
#include "Actions.h"
#include "ExitStatus.h"
#include "KR7.h"
#include "LogoDocument.h"
#include "LogoSequences.h"
#include "PictureFile.h"
#include "TerminalProgress.h"

#include <QFile>
#include <QImage>

#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>

namespace {

class TRemoveLogoAction : public TAction {
public:
    std::optional<TFailure> Run(TContext& context) override {
        const QImage defaults = QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        SendLogoRemoval(context.device, defaults, &progress);
        return std::nullopt;
    }
};

// The logo options as given; what is left out follows a fresh Logo page,
// except that no background is removed unless its colour is named.
struct TLogoOptions {
    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> width;
    std::optional<int> height;
    TLogoMode mode = TLogoMode::BlackWhite;
    int level = 50;
    bool negative = false;
    std::optional<QRgb> background;
    int tolerance = 100;
    std::optional<unsigned long long> seed; // mixing: the same pattern every run
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

TLogoMode ParseLogoMode(const std::string& mode) {
    if (mode == "bw")
        return TLogoMode::BlackWhite;
    if (mode == "mosaic")
        return TLogoMode::Mosaic;
    if (mode == "mix")
        return TLogoMode::Mixing;
    throw TUsageError{"--mode must be bw, mosaic or mix, not \"" + mode + "\""};
}

// Takes one logo option; false when the next word is none.
bool TakeLogoOption(TArgs& args, TLogoOptions& options) {
    if (args.Take("--x"))
        options.x = ParseInt(Need(args, "--x value"), LOGO_POS_MIN, LOGO_POS_MAX, "--x");
    else if (args.Take("--y"))
        options.y = ParseInt(Need(args, "--y value"), LOGO_POS_MIN, LOGO_POS_MAX, "--y");
    else if (args.Take("--width"))
        options.width = ParseInt(Need(args, "--width value"), LOGO_SIZE_MIN, LOGO_SIZE_MAX, "--width");
    else if (args.Take("--height"))
        options.height = ParseInt(Need(args, "--height value"), LOGO_SIZE_MIN, LOGO_SIZE_MAX, "--height");
    else if (args.Take("--level"))
        options.level = ParseInt(Need(args, "--level value"), LOGO_LEVEL_MIN, LOGO_LEVEL_MAX, "--level");
    else if (args.Take("--tolerance"))
        options.tolerance =
            ParseInt(Need(args, "--tolerance value"), LOGO_TOLERANCE_MIN, LOGO_TOLERANCE_MAX, "--tolerance");
    else if (args.Take("--negative"))
        options.negative = true;
    else if (args.Take("--background"))
        options.background = ParseColour(Need(args, "--background colour"));
    else if (args.Take("--seed"))
        options.seed = ParseInt(Need(args, "--seed value"), 0, std::numeric_limits<int>::max(), "--seed");
    else if (args.Take("--preview"))
        options.preview = Need(args, "--preview file");
    else if (args.Take("--program"))
        options.program = true;
    else if (args.Take("--mode"))
        options.mode = ParseLogoMode(Need(args, "--mode value"));
    else
        return false;
    return true;
}

// Why a picture was refused, in the words of the error line.
std::string PictureFaultText(TPictureFault fault) {
    switch (fault) {
    case TPictureFault::UnknownFormat:
        return "not a BMP, JPEG, PNG, GIF or TIFF picture";
    case TPictureFault::CannotOpen:
        return "the file cannot be read";
    case TPictureFault::Damaged:
        return "the picture is truncated or damaged";
    case TPictureFault::TooLarge:
        return "the picture is too large";
    case TPictureFault::None:
        break;
    }
    return "unknown fault";
}

TLogoDocument::TSeedSource SeedSource(std::optional<unsigned long long> seed) {
    if (!seed)
        return TLogoDocument::ClockSeed;
    return [value = *seed] { return value; };
}

// What a user does on the page: the reduction set, the picture imported
// (fitted and centred), then the size and the place given; a size given
// without a place is centred again.
void PrepareDocument(TLogoDocument& document, const QImage& picture, const TLogoOptions& options) {
    document.SetMode(options.mode);
    document.SetLevel(options.level);
    document.SetNegative(options.negative);
    document.SetTransparent(options.background.has_value());
    document.SetBackground(options.background.value_or(LOGO_DEFAULT_BACKGROUND));
    document.SetTolerance(options.tolerance);
    document.Import(picture);
    const bool sized = options.width || options.height;
    if (options.height)
        document.SetProportional(false);
    if (options.width)
        document.SetWidth(*options.width);
    if (options.height)
        document.SetHeight(*options.height);
    if (options.x)
        document.SetPosX(*options.x);
    else if (sized)
        document.CentreX();
    if (options.y)
        document.SetPosY(*options.y);
    else if (sized)
        document.CentreY();
}

class TLogoAction : public TAction {
public:
    TLogoAction(std::string name, TLogoOptions options)
        : name_(std::move(name)), options_(std::move(options)),
          document_(std::make_unique<TLogoDocument>(SeedSource(options_.seed))) {}

    std::optional<TFailure> Prepare() override {
        if (!QFile::exists(FileName(name_)))
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": no such file"};
        const TPictureResult read = LoadPicture(FileName(name_));
        if (!read.Ok())
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": " + PictureFaultText(read.fault)};
        PrepareDocument(*document_, read.image, options_);
        generation_ = document_->Generate(nullptr);
        if (!generation_.built)
            return TFailure{EXIT_LOGO_TOO_BIG,
                            "the logo needs more than " + std::to_string(LOGO_MAX_TILES) + " glyphs; make it smaller"};
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        const int tiles = generation_.tiles;
        context.err << "logo uses " << tiles << " of " << LOGO_MAX_TILES << " glyphs (" << LogoUsagePercent(tiles)
                    << "%)\n";
        if (!options_.preview.empty() && !document_->View().save(FileName(options_.preview), "PNG"))
            return TFailure{EXIT_FILE, "cannot write preview " + options_.preview};
        if (!options_.program)
            return std::nullopt;
        if (!document_->Generated()) {
            context.err << "no logo glyph on the screen; nothing to program\n";
            return std::nullopt;
        }
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        SendLogoProgram(context.device, document_->Table(), &progress);
        return std::nullopt;
    }

private:
    std::string name_;
    TLogoOptions options_;
    std::unique_ptr<TLogoDocument> document_;
    TLogoGeneration generation_;
};

} // namespace

TActionPtr ParseLogo(TArgs& args) {
    if (args.Take("--remove"))
        return std::make_unique<TRemoveLogoAction>();
    const std::string name = Need(args, "picture file");
    TLogoOptions options;
    while (TakeLogoOption(args, options)) {
    }
    return std::make_unique<TLogoAction>(name, std::move(options));
}
