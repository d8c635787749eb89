// text ROW TEXT [--centre]: one row of text; TEXT "-" reads it from stdin.
#include "Actions.h"
#include "BoundedRead.h"
#include "ExitStatus.h"
#include "KR7.h"
#include "Protocol.h"
#include "RowText.h"
#include "TextLimits.h"

namespace {

// Standard input as the text, bounded as the ticker's text; a final line
// break is not part of it.
std::optional<TFailure> ReadStandardInput(std::string& text) {
    const TBoundedRead read = ReadTextInput(QStringLiteral("-"), TICKER_TEXT_LIMIT);
    if (read.result == TReadResult::TooLarge)
        return TFailure{EXIT_FILE,
                        "the text on standard input is longer than " + std::to_string(TICKER_TEXT_LIMIT) + " bytes"};
    if (read.result != TReadResult::Ok)
        return TFailure{EXIT_FILE, "cannot read the text from standard input: " + read.reason};
    text = read.bytes;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return std::nullopt;
}

// What was cut or replaced on the way to the row, one warning each.
std::vector<std::string> Warnings(const TRowText& text) {
    std::vector<std::string> warnings;
    if (text.invalidUtf8)
        warnings.emplace_back("the text is not valid UTF-8; each invalid byte sequence became \"?\"");
    if (text.unmappable > 0)
        warnings.push_back(std::to_string(text.unmappable) +
                           " character(s) of the text have no Windows-1250 form; each became \"?\"");
    if (text.cells > SCREEN_COLUMNS)
        warnings.push_back("the text is " + std::to_string(text.cells) + " cells long; the row shows the first " +
                           std::to_string(SCREEN_COLUMNS));
    return warnings;
}

class TTextAction : public TAction {
public:
    TTextAction(int row, std::string text, bool centre) : row_(row), text_(std::move(text)), centre_(centre) {}

    std::optional<TFailure> Prepare() override {
        if (text_ != "-")
            return std::nullopt;
        return ReadStandardInput(text_);
    }

    std::optional<TFailure> Run(TContext& context) override {
        const TRowText text = RowFromUtf8(text_, centre_);
        for (const std::string& warning : Warnings(text))
            context.notes << "kr7ctl: warning: " << warning << "\n";
        context.device.WriteText(0, row_ - 1, text.row);
        return std::nullopt;
    }

private:
    int row_ = 1;
    std::string text_; // UTF-8, or "-" for standard input
    bool centre_ = false;
};

} // namespace

TActionPtr ParseText(TArgs& args) {
    const int row = ParseInt(Need(args, "row"), 1, SCREEN_ROWS, "row");
    std::string text = Need(args, "text");
    const bool centre = args.Take("--centre");
    return std::make_unique<TTextAction>(row, std::move(text), centre);
}
