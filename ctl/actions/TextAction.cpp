// text ROW TEXT [--centre]: one row of text; TEXT "-" reads it from stdin.
#include "Actions.h"
#include "Codepage.h"
#include "ExitStatus.h"
#include "KR7.h"
#include "Neon.h"

#include <QString>

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// The most a text read from standard input may hold, as the ticker's edit field.
constexpr std::size_t STDIN_TEXT_LIMIT = 1 << 20;

// Reads standard input up to one byte past the limit.
std::optional<TFailure> ReadStandardInput(std::string& text) {
    char buffer[4096];
    while (text.size() <= STDIN_TEXT_LIMIT) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return TFailure{EXIT_FILE,
                            std::string("cannot read the text from standard input: ") + std::strerror(errno)};
        if (got == 0)
            return std::nullopt;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return TFailure{EXIT_FILE,
                    "the text on standard input is longer than " + std::to_string(STDIN_TEXT_LIMIT) + " bytes"};
}

class TTextAction : public TAction {
public:
    TTextAction(int row, std::string text, bool centre) : row_(row), text_(std::move(text)), centre_(centre) {}

    std::optional<TFailure> Prepare() override {
        if (text_ != "-")
            return std::nullopt;
        text_.clear();
        if (std::optional<TFailure> failure = ReadStandardInput(text_))
            return failure;
        if (!text_.empty() && text_.back() == '\n')
            text_.pop_back();
        if (!text_.empty() && text_.back() == '\r')
            text_.pop_back();
        return std::nullopt;
    }

    std::optional<TFailure> Run(TContext& context) override {
        const std::string padded = PageRow(ToCp1250(QString::fromUtf8(text_)), centre_);
        context.device.WriteText(0, row_ - 1, padded);
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
