// pages FILE [--row R] [--height H] [--centre]: every page of a text file once.
#include "Actions.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "KR7.h"
#include "Neon.h"

#include <QFile>

namespace {

// Reads a whole text file; nullopt with the reason in error.
std::optional<std::string> ReadWholeFile(const std::string& name, std::string& error) {
    error = ReadProblem(name);
    if (!error.empty())
        return std::nullopt;
    QFile file(FileName(name));
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

class TPagesAction : public TAction {
public:
    TPagesAction(std::string name, const TVertNeon& pages, bool centre, int interval)
        : name_(std::move(name)), pages_(pages), centre_(centre), interval_(interval) {}

    std::optional<TFailure> Prepare() override {
        std::string error;
        const std::optional<std::string> bytes = ReadWholeFile(name_, error);
        if (!bytes)
            return TFailure{EXIT_FILE, "cannot read " + name_ + ": " + error};
        std::vector<std::string> lines = SplitTextLines(*bytes);
        if (lines.empty())
            lines.emplace_back(); // an empty editor still holds one line
        pages_.SetLines(lines);
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        context.device.SetMode(MODE_TEXT);
        pages_.Reset();
        const std::size_t count = pages_.Lines.empty() ? 1 : (pages_.Lines.size() + pages_.Height - 1) / pages_.Height;
        for (std::size_t page = 0; page < count; ++page) {
            if (page > 0 && interval_ > 0 && context.pause)
                context.pause(interval_);
            for (const TVertNeon::TRow& row : pages_.NextPageRows(centre_))
                context.device.WriteText(0, row.row, row.text);
        }
        return std::nullopt;
    }

private:
    std::string name_;
    TVertNeon pages_;
    bool centre_ = false;
    int interval_ = 0; // seconds each page stays before the next
};

} // namespace

TActionPtr ParsePages(TArgs& args) {
    const std::string name = Need(args, "text file");
    TVertNeon pages;
    bool centre = false;
    int interval = 0;
    for (;;) {
        if (args.TakeOption("--row"))
            pages.PosY = ParseInt(Need(args, "--row value"), 1, SCREEN_ROWS, "--row") - 1;
        else if (args.TakeOption("--height"))
            pages.Height = ParseInt(Need(args, "--height value"), 1, SCREEN_ROWS, "--height");
        else if (args.Take("--centre"))
            centre = true;
        else if (args.TakeOption("--interval"))
            interval = ParseInt(Need(args, "--interval value"), 1, 100, "--interval");
        else
            break;
    }
    if (pages.PosY + pages.Height > SCREEN_ROWS)
        throw TUsageError{"--row and --height reach past the last row"};
    return std::make_unique<TPagesAction>(name, pages, centre, interval);
}
