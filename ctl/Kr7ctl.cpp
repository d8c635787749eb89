#include "Kr7ctl.h"

#include "COMSocket.h"
#include "CharTable.h"
#include "Codepage.h"
#include "FrameRecorder.h"
#include "GlyphSetFile.h"
#include "GlyphUpload.h"
#include "Glyphs.h"
#include "IniFile.h"
#include "KR7.h"
#include "LogoJob.h"
#include "LogoTable.h"
#include "Neon.h"
#include "PictureFile.h"
#include "PortOpen.h"
#include "SerialPorts.h"
#include "StopSignals.h"
#include "TextRun.h"
#include "TextSettings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>

namespace {

const char* const USAGE =
    "Usage: kr7ctl [--port COMn] [--dry-run | --out FILE] [--settings FILE] ACTION [ARGS] [ACTION ...]\n"
    "Drives the KR-7 display on a serial port; actions run in the order given.\n"
    "\n"
    "  ports [--json]                 list the serial ports:       kr7ctl ports --json\n"
    "  clear                          clear the screen:            kr7ctl --port COM5 clear\n"
    "  store                          keep the screen in the unit: kr7ctl store\n"
    "  mode text|cross                switch the display mode:     kr7ctl mode cross\n"
    "  cross X Y                      place the crosshair:         kr7ctl cross 180 72\n"
    "  celownik                       crosshair mode, stored:      kr7ctl celownik\n"
    "  tekst                          text mode, stored:           kr7ctl tekst\n"
    "  text ROW TEXT [--centre]       one row (1..16) of text:     kr7ctl text 8 \"Zażółć\" --centre\n"
    "  codes ROW COL HEX...           glyph codes at a cell:       kr7ctl codes 1 1 71 72 FF\n"
    "  pages FILE [--row R] [--height H] [--centre]\n"
    "                                 the pages of a text file:    kr7ctl pages news.txt --row 2 --height 5\n"
    "  glyphs FILE                    upload a .bin or .bmp set:   kr7ctl glyphs set.bin\n"
    "  glyph CODE FILE                upload one glyph of a set:   kr7ctl glyph 65 set.bmp\n"
    "  logo PICTURE [--x X] [--y Y] [--width W] [--height H] [--mode bw|mosaic|mix] [--level N]\n"
    "       [--negative] [--background RRGGBB] [--tolerance N] [--preview OUT.png] [--program]\n"
    "                                 tile a picture, program it:  kr7ctl logo shop.jpg --program\n"
    "  logo --remove                  remove the logo:             kr7ctl logo --remove\n"
    "  run [--settings FILE]          run the ticker and the pages of the settings file until\n"
    "                                 SIGINT or SIGTERM:           kr7ctl --port COM5 run\n"
    "\n"
    "  --port COMn      the port; default: Port of the window's settings file, else COM1\n"
    "  --dry-run        print the frames as hex, one command per line; open nothing\n"
    "  --out FILE       write the raw frames to FILE instead of a port\n"
    "  --settings FILE  the window's settings file (KR7Controller.ini)\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 done (run: stopped by SIGTERM), 2 usage, 3 port, 4 file or picture,\n"
    "5 logo does not fit, 130 interrupted (run: stopped by SIGINT).\n";

// A failure with its exit status and its one-line message.
struct TFailure {
    int status = EXIT_DONE;
    std::string message;
};

// Everything an action needs while it runs.
struct TContext {
    TKR7& device;
    std::ostream& out;
    std::ostream& err;
};

using TAction = std::function<std::optional<TFailure>(TContext&)>;

// The command line, read one word at a time.
class TArgs {
public:
    explicit TArgs(const std::vector<std::string>& args) : args_(args) {}
    bool AtEnd() const { return at_ >= args_.size(); }
    const std::string& Peek() const { return args_[at_]; }
    std::string Next() { return args_[at_++]; }
    // True when the next word is the option name, which is then taken.
    bool Take(const std::string& name) {
        if (AtEnd() || Peek() != name)
            return false;
        ++at_;
        return true;
    }

private:
    const std::vector<std::string>& args_;
    std::size_t at_ = 0;
};

class TUsageError {
public:
    std::string message;
};

int ParseInt(const std::string& word, int low, int high, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno != 0 || value < low || value > high)
        throw TUsageError{what + " must be a number from " + std::to_string(low) + " to " + std::to_string(high) +
                          ", not \"" + word + "\""};
    return static_cast<int>(value);
}

std::string Need(TArgs& args, const std::string& what) {
    if (args.AtEnd())
        throw TUsageError{"missing " + what};
    return args.Next();
}

bool IsOption(const std::string& word) {
    return word.size() > 2 && word.compare(0, 2, "--") == 0;
}

QString FileName(const std::string& word) {
    return QString::fromLocal8Bit(word.c_str());
}

TAction Simple(std::function<void(TKR7&)> send) {
    return [send](TContext& context) -> std::optional<TFailure> {
        send(context.device);
        return std::nullopt;
    };
}

TAction ParseMode(TArgs& args) {
    const std::string mode = Need(args, "mode (text or cross)");
    if (mode != "text" && mode != "cross")
        throw TUsageError{"mode must be text or cross, not \"" + mode + "\""};
    const int value = mode == "text" ? MODE_TEXT : MODE_CROSS;
    return Simple([value](TKR7& device) { device.SetMode(value); });
}

TAction ParseCross(TArgs& args) {
    const int x = ParseInt(Need(args, "crosshair X"), 0, CROSS_MAX_X, "crosshair X");
    const int y = ParseInt(Need(args, "crosshair Y"), 0, CROSS_MAX_Y, "crosshair Y");
    return Simple([x, y](TKR7& device) { device.SetCrossPosition(x, y); });
}

TAction StoredMode(int mode) {
    return Simple([mode](TKR7& device) {
        device.SetMode(mode);
        device.SetStoredMode(mode);
        device.StoreScreen();
    });
}

TAction ParseText(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    const std::string text = ToCp1250(QString::fromUtf8(Need(args, "text")));
    const bool centre = args.Take("--centre");
    const std::string padded = PageRow(text, centre);
    return Simple([row, padded](TKR7& device) { device.WriteText(0, row - 1, padded); });
}

TAction ParseCodes(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    const int column = ParseInt(Need(args, "column"), 1, SCREEN_COLUMNS, "column");
    std::string codes;
    while (!args.AtEnd() && !IsOption(args.Peek())) {
        const std::string word = args.Peek();
        char* end = nullptr;
        const long value = std::strtol(word.c_str(), &end, 16);
        if (word.empty() || *end != '\0' || value < 0 || value > 255)
            break; // the next action
        codes.push_back(static_cast<char>(value));
        args.Next();
    }
    if (codes.empty())
        throw TUsageError{"codes needs at least one hex byte"};
    return Simple([row, column, codes](TKR7& device) { device.WriteCodes(column - 1, row - 1, codes); });
}

// Reads a whole text file; nullopt with the reason in error.
std::optional<std::string> ReadWholeFile(const std::string& name, std::string& error) {
    QFile file(FileName(name));
    if (!file.exists()) {
        error = "no such file";
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

TAction ParsePages(TArgs& args, std::vector<TFailure>& fileErrors) {
    const std::string name = Need(args, "text file");
    TVertNeon pages;
    bool centre = false;
    for (;;) {
        if (args.Take("--row"))
            pages.PosY = ParseInt(Need(args, "--row value"), 1, SCREEN_ROWS, "--row") - 1;
        else if (args.Take("--height"))
            pages.Height = ParseInt(Need(args, "--height value"), 1, SCREEN_ROWS, "--height");
        else if (args.Take("--centre"))
            centre = true;
        else
            break;
    }
    if (pages.PosY + pages.Height > SCREEN_ROWS)
        throw TUsageError{"--row and --height reach past the last row"};
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(name, error);
    if (!bytes) {
        fileErrors.push_back({EXIT_FILE, "cannot read " + name + ": " + error});
        return {};
    }
    std::vector<std::string> lines = SplitTextLines(*bytes);
    if (lines.empty())
        lines.emplace_back(); // an empty editor still holds one line
    pages.SetLines(lines);
    return [pages, centre](TContext& context) mutable -> std::optional<TFailure> {
        context.device.SetMode(MODE_TEXT);
        pages.Reset();
        const std::size_t count = pages.Lines.empty() ? 1 : (pages.Lines.size() + pages.Height - 1) / pages.Height;
        for (std::size_t page = 0; page < count; ++page)
            for (const TVertNeon::TRow& row : pages.NextPageRows(centre))
                context.device.WriteText(0, row.row, row.text);
        return std::nullopt;
    };
}

// A progress bar on stderr while it is a terminal.
class TTerminalProgress : public TProgress {
public:
    TTerminalProgress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TTerminalProgress() override {
        if (shown_ && max_ > 0)
            err_ << "\n";
    }
    void SetMax(int max) override { max_ = max; }
    void Step() override {
        ++done_;
        if (!shown_ || max_ <= 0)
            return;
        const int width = 40;
        const int filled = done_ * width / max_;
        err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << done_ << "/" << max_
             << std::flush;
    }

private:
    std::ostream& err_;
    bool shown_ = false;
    int max_ = 0;
    int done_ = 0;
};

bool ProgressShown(const std::ostream& err) {
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

std::optional<QImage> LoadGlyphSet(const std::string& name, std::vector<TFailure>& fileErrors) {
    TGlyphSetFile file = ReadGlyphSetFile(FileName(name));
    if (!file.chars)
        fileErrors.push_back({EXIT_FILE, "cannot read glyph set " + name + ": " + file.error});
    return file.chars;
}

TAction ParseGlyphs(TArgs& args, std::vector<TFailure>& fileErrors) {
    const std::optional<QImage> chars = LoadGlyphSet(Need(args, "glyph set file"), fileErrors);
    if (!chars)
        return {};
    return [chars](TContext& context) -> std::optional<TFailure> {
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        SendCharsBitmap(context.device, *chars, 0, &progress, 255);
        return std::nullopt;
    };
}

TAction ParseGlyph(TArgs& args, std::vector<TFailure>& fileErrors) {
    const int code = ParseInt(Need(args, "glyph code"), 0, 255, "glyph code");
    const std::optional<QImage> chars = LoadGlyphSet(Need(args, "glyph set file"), fileErrors);
    if (!chars)
        return {};
    const std::optional<QImage> cell = CopyCharBitmap(static_cast<std::uint8_t>(code), *chars);
    return [code, cell](TContext& context) -> std::optional<TFailure> {
        if (cell)
            SendCharBitmap(context.device, static_cast<std::uint8_t>(code), *cell);
        return std::nullopt;
    };
}

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

TAction RemoveLogo() {
    return [](TContext& context) -> std::optional<TFailure> {
        const QImage defaults = QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
        TTerminalProgress progress(context.err, ProgressShown(context.err));
        context.device.ClearScreen();
        context.device.SetMode(MODE_CROSS);
        context.device.SetStoredMode(MODE_CROSS);
        SendCharsBitmap(context.device, defaults, LOGO_FIRST_CODE, &progress, 255);
        context.device.StoreScreen();
        return std::nullopt;
    };
}

void ParseLogoOptions(TArgs& args, TLogoPlacement& placement, std::string& preview, bool& program) {
    for (;;) {
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
            preview = Need(args, "--preview file");
        else if (args.Take("--program"))
            program = true;
        else if (args.Take("--mode")) {
            const std::string mode = Need(args, "--mode value");
            if (mode != "bw" && mode != "mosaic" && mode != "mix")
                throw TUsageError{"--mode must be bw, mosaic or mix, not \"" + mode + "\""};
            placement.mode = mode == "bw" ? 0 : mode == "mosaic" ? 1 : 2;
        } else
            return;
    }
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

TAction ParseLogo(TArgs& args, std::vector<TFailure>& fileErrors) {
    if (args.Take("--remove"))
        return RemoveLogo();
    const std::string name = Need(args, "picture file");
    TLogoPlacement placement;
    std::string preview;
    bool program = false;
    ParseLogoOptions(args, placement, preview, program);
    if (!QFile::exists(FileName(name))) {
        fileErrors.push_back({EXIT_FILE, "cannot read picture " + name + ": no such file"});
        return {};
    }
    const TPictureResult read = LoadPicture(FileName(name));
    if (!read.Ok()) {
        fileErrors.push_back({EXIT_FILE, "cannot read picture " + name + ": " + PictureFaultText(read.fault)});
        return {};
    }
    const QImage& picture = read.image;
    const QImage view = RenderPlacedLogo(picture, placement);
    std::optional<TLogoTable> table = BuildLogoTable(view, nullptr);
    if (!table || table->Failed) {
        fileErrors.push_back({EXIT_LOGO_TOO_BIG, "the logo needs more than " + std::to_string(LOGO_MAX_TILES) +
                                                     " glyphs; make it smaller"});
        return {};
    }
    return [table = std::move(*table), view, preview, program](TContext& context) -> std::optional<TFailure> {
        const int percent = static_cast<int>(table.TileCount * 100.0 / LOGO_MAX_TILES + 0.5);
        context.err << "logo uses " << table.TileCount << " of " << LOGO_MAX_TILES << " glyphs (" << percent << "%)\n";
        if (!preview.empty() && !view.save(FileName(preview), "PNG"))
            return TFailure{EXIT_FILE, "cannot write preview " + preview};
        if (!program)
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
    };
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
            continue;
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string PortsListing(bool json) {
    const std::vector<TSerialPortInfo> ports = ListSerialPortInfo();
    std::string out = json ? "[" : "";
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const TSerialPortInfo& port = ports[i];
        if (!json) {
            out += port.name + "\t" + port.Description() + "\n";
            continue;
        }
        out += std::string(i == 0 ? "" : ",") + "{\"name\":" + JsonString(port.name) +
               ",\"device\":" + JsonString(port.device) + ",\"manufacturer\":" + JsonString(port.manufacturer) +
               ",\"product\":" + JsonString(port.product) + ",\"serial\":" + JsonString(port.serial) + "}";
    }
    if (json)
        out += "]\n";
    return out;
}

// Everything the command line asks for.
struct TPlan {
    std::string port;
    std::string settings;
    std::string outFile;
    bool dryRun = false;
    bool help = false;
    bool version = false;
    bool run = false;
    std::optional<bool> portsJson; // a ports listing, and its form
    std::vector<TAction> actions;
    std::vector<TFailure> fileErrors;
};

TAction ParseAction(const std::string& word, TArgs& args, TPlan& plan) {
    std::vector<TFailure>& errors = plan.fileErrors;
    if (word == "clear")
        return Simple([](TKR7& device) { device.ClearScreen(); });
    if (word == "store")
        return Simple([](TKR7& device) { device.StoreScreen(); });
    if (word == "mode")
        return ParseMode(args);
    if (word == "cross")
        return ParseCross(args);
    if (word == "celownik")
        return StoredMode(MODE_CROSS);
    if (word == "tekst")
        return StoredMode(MODE_TEXT);
    if (word == "text")
        return ParseText(args);
    if (word == "codes")
        return ParseCodes(args);
    if (word == "pages")
        return ParsePages(args, errors);
    if (word == "glyphs")
        return ParseGlyphs(args, errors);
    if (word == "glyph")
        return ParseGlyph(args, errors);
    if (word == "logo")
        return ParseLogo(args, errors);
    throw TUsageError{"unknown action \"" + word + "\""};
}

TPlan Parse(const std::vector<std::string>& words) {
    TPlan plan;
    TArgs args(words);
    while (!args.AtEnd()) {
        const std::string word = args.Next();
        if (word == "--help" || word == "-h")
            plan.help = true;
        else if (word == "--version")
            plan.version = true;
        else if (word == "--dry-run")
            plan.dryRun = true;
        else if (word == "--port")
            plan.port = Need(args, "port name after --port");
        else if (word == "--out")
            plan.outFile = Need(args, "file name after --out");
        else if (word == "--settings")
            plan.settings = Need(args, "file name after --settings");
        else if (word == "ports")
            plan.portsJson = args.Take("--json");
        else if (word == "run")
            plan.run = true;
        else if (IsOption(word))
            throw TUsageError{"unknown option \"" + word + "\""};
        else if (TAction action = ParseAction(word, args, plan))
            plan.actions.push_back(std::move(action));
    }
    return plan;
}

std::string DefaultSettingsPath() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/KR7Controller/KR7Controller.ini"))
        .toStdString();
}

std::string SettingsPath(const TPlan& plan) {
    return plan.settings.empty() ? DefaultSettingsPath() : plan.settings;
}

std::string PortName(const TPlan& plan) {
    if (!plan.port.empty())
        return plan.port;
    const std::string path = SettingsPath(plan);
    if (!QFile::exists(FileName(path)))
        return "COM1";
    TIniFile ini(FileName(path));
    return ini.ReadString("Settings", "Port", "COM1");
}

std::optional<TFailure> RunActions(TPlan& plan, TKR7& device, std::ostream& out, std::ostream& err) {
    TContext context{device, out, err};
    for (TAction& action : plan.actions)
        if (std::optional<TFailure> failure = action(context))
            return failure;
    return std::nullopt;
}

// A write to the port that did not pass, as the failure of the whole run.
std::optional<TFailure> WriteFailure(const TWriteResult& result, const std::string& name) {
    if (result.error == TWriteError::DeviceGone)
        return TFailure{EXIT_PORT, "port " + name + " went away while sending; the display got only part of it"};
    if (result.error == TWriteError::Failed)
        return TFailure{EXIT_PORT, "writing to port " + name + " failed: " + std::strerror(result.errorNumber)};
    return std::nullopt;
}

int Fail(std::ostream& err, const TFailure& failure) {
    err << "kr7ctl: " << failure.message << "\n";
    return failure.status;
}

// The ticker and the pages until a stop signal: SIGINT is an interruption
// (130), SIGTERM the service manager's ordinary stop (0).
int RunText(const TPlan& plan, std::ostream& err) {
    if (!plan.actions.empty() || plan.portsJson || plan.dryRun || !plan.outFile.empty())
        return Fail(err, {EXIT_USAGE, "run takes no other action, --dry-run or --out (see kr7ctl --help)"});
    const std::string path = SettingsPath(plan);
    if (!plan.settings.empty() && !QFile::exists(FileName(path)))
        return Fail(err, {EXIT_FILE, "cannot read settings " + path + ": no such file"});
    TTextSettings settings;
    settings.Load(TIniFile(FileName(path)));
    TStopSignals stops;
    if (!stops.Ready())
        return Fail(err, {EXIT_USAGE, "cannot watch for stop signals"});
    TTextRun run(settings, PortName(plan), err);
    if (const std::string failure = run.Start(); !failure.empty())
        return Fail(err, {EXIT_PORT, failure});
    return stops.RunUntilStopped() == SIGINT ? EXIT_INTERRUPTED : EXIT_DONE;
}

int Execute(TPlan& plan, std::ostream& out, std::ostream& err) {
    if (plan.run)
        return RunText(plan, err);
    if (plan.portsJson)
        out << PortsListing(*plan.portsJson);
    if (plan.actions.empty())
        return EXIT_DONE;
    if (plan.dryRun || !plan.outFile.empty()) {
        TFrameRecorder recorder;
        TKR7 device([&recorder](const void* data, std::size_t size) { recorder.Write(data, size); });
        if (std::optional<TFailure> failure = RunActions(plan, device, out, err))
            return Fail(err, *failure);
        if (plan.dryRun) {
            out << recorder.Hex();
            return EXIT_DONE;
        }
        std::ofstream file(plan.outFile, std::ios::binary | std::ios::trunc);
        const std::string bytes = recorder.Bytes();
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush())
            return Fail(err, {EXIT_FILE, "cannot write " + plan.outFile});
        return EXIT_DONE;
    }
    TCOMSocket port;
    const std::string name = PortName(plan);
    if (const std::string failure = OpenDisplayPort(port, name); !failure.empty())
        return Fail(err, {EXIT_PORT, failure});
    TKR7 device(port);
    std::optional<TFailure> failure = RunActions(plan, device, out, err);
    if (!failure)
        failure = WriteFailure(port.LastWriteFailure(), name);
    if (!failure)
        port.WaitUntilCarried(); // as the window waits before it reports a sequence finished
    port.Close();
    return failure ? Fail(err, *failure) : EXIT_DONE;
}

} // namespace

int Kr7ctlMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!CodepageAvailable())
        return Fail(err, {EXIT_USAGE, "the Windows-1250 codec is missing"});
    TPlan plan;
    try {
        plan = Parse(args);
    } catch (const TUsageError& error) {
        err << "kr7ctl: " << error.message << " (see kr7ctl --help)\n";
        return EXIT_USAGE;
    }
    if (plan.help) {
        out << USAGE;
        return EXIT_DONE;
    }
    if (plan.version) {
        out << "kr7ctl " << KR7_VERSION << "\n";
        return EXIT_DONE;
    }
    if (!plan.fileErrors.empty())
        return Fail(err, plan.fileErrors.front());
    if (plan.actions.empty() && !plan.portsJson && !plan.run) {
        err << "kr7ctl: no action given (see kr7ctl --help)\n";
        return EXIT_USAGE;
    }
    return Execute(plan, out, err);
}
