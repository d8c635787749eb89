// logo PICTURE [options]: the logo document the Logo page would hold after a
// user imported the picture with these settings, tiled, previewed or
// programmed; logo --remove: the default glyphs back and crosshair mode.
#include "Actions.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "KR7.h"
#include "LogoDocument.h"
#include "LogoSequences.h"
#include "PictureFaultText.h"
#include "PictureFile.h"
#include "TerminalProgress.h"

#include <QBuffer>
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
        TTerminalProgress progress(context);
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
    bool json = false; // the report as JSON
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
    if (args.TakeOption("--x"))
        options.x = ParseInt(Need(args, "--x value"), LOGO_POS_MIN, LOGO_POS_MAX, "--x");
    else if (args.TakeOption("--y"))
        options.y = ParseInt(Need(args, "--y value"), LOGO_POS_MIN, LOGO_POS_MAX, "--y");
    else if (args.TakeOption("--width"))
        options.width = ParseInt(Need(args, "--width value"), LOGO_SIZE_MIN, LOGO_SIZE_MAX, "--width");
    else if (args.TakeOption("--height"))
        options.height = ParseInt(Need(args, "--height value"), LOGO_SIZE_MIN, LOGO_SIZE_MAX, "--height");
    else if (args.TakeOption("--level"))
        options.level = ParseInt(Need(args, "--level value"), LOGO_LEVEL_MIN, LOGO_LEVEL_MAX, "--level");
    else if (args.TakeOption("--tolerance"))
        options.tolerance =
            ParseInt(Need(args, "--tolerance value"), LOGO_TOLERANCE_MIN, LOGO_TOLERANCE_MAX, "--tolerance");
    else if (args.Take("--negative"))
        options.negative = true;
    else if (args.TakeOption("--background"))
        options.background = ParseColour(Need(args, "--background colour"));
    else if (args.TakeOption("--seed"))
        options.seed = ParseInt(Need(args, "--seed value"), 0, std::numeric_limits<int>::max(), "--seed");
    else if (args.TakeOption("--preview"))
        options.preview = Need(args, "--preview file");
    else if (args.Take("--program"))
        options.program = true;
    else if (args.Take("--json"))
        options.json = true;
    else if (args.TakeOption("--mode"))
        options.mode = ParseLogoMode(Need(args, "--mode value"));
    else
        return false;
    return true;
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
        if (const std::string problem = ReadProblem(name_); !problem.empty())
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": " + problem};
        const TPictureResult read = LoadPicture(FileName(name_));
        if (!read.Ok())
            return TFailure{EXIT_FILE, "cannot read picture " + name_ + ": " + PictureFaultText(read, name_)};
        PrepareDocument(*document_, read.image, options_);
        generation_ = document_->Generate(nullptr);
        if (!generation_.built)
            return TFailure{EXIT_LOGO_TOO_BIG,
                            "the logo needs more than " + std::to_string(LOGO_MAX_TILES) + " glyphs; make it smaller"};
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        context.report << Report() << std::flush;
        if (std::optional<TFailure> failure = SavePreview())
            return failure;
        if (!options_.program)
            return std::nullopt;
        if (!document_->Generated()) {
            context.notes << "no logo glyph on the screen; nothing to program\n";
            return std::nullopt;
        }
        TTerminalProgress progress(context);
        SendLogoProgram(context.device, document_->Table(), &progress);
        return std::nullopt;
    }

    bool Sends() const override { return options_.program; }

private:
    // The tiles used, their share of the logo glyphs and the picture's origin:
    // one line, or one JSON object.
    std::string Report() const {
        const int tiles = generation_.tiles;
        const std::string percent = std::to_string(LogoUsagePercent(tiles));
        const std::string x = std::to_string(document_->Settings().posX);
        const std::string y = std::to_string(document_->Settings().posY);
        if (options_.json)
            return "{\"tiles\":" + std::to_string(tiles) + ",\"maxTiles\":" + std::to_string(LOGO_MAX_TILES) +
                   ",\"share\":" + percent + ",\"x\":" + x + ",\"y\":" + y + "}\n";
        return "logo uses " + std::to_string(tiles) + " of " + std::to_string(LOGO_MAX_TILES) + " glyphs (" + percent +
               "%), origin " + x + "," + y + "\n";
    }

    std::optional<TFailure> SavePreview() const {
        if (options_.preview.empty())
            return std::nullopt;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!document_->View().save(&buffer, "PNG"))
            return TFailure{EXIT_FILE, "cannot write preview " + options_.preview + ": the picture cannot be encoded"};
        if (const std::string problem = WriteWholeFile(options_.preview, png.toStdString()); !problem.empty())
            return TFailure{EXIT_FILE, "cannot write preview " + options_.preview + ": " + problem};
        return std::nullopt;
    }

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
