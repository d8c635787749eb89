#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The command line, read one word at a time. An option with a value may be
// one word ("--port=COM3") or two ("--port COM3"); after "--" no word is an
// option.
class TArgs {
public:
    explicit TArgs(const std::vector<std::string>& args) : args_(args) {}
    bool AtEnd() const { return !inlineValue_ && at_ >= args_.size(); }
    const std::string& Peek() const { return inlineValue_ ? *inlineValue_ : args_[at_]; }
    std::string Next();
    // True when the next word is the flag name, which is then taken.
    bool Take(const std::string& name);
    // True when the next word is the option name, which is then taken; of
    // "name=value" the value is left as the next word.
    bool TakeOption(const std::string& name);
    // Takes "--" when it is the next word: no later word is then an option.
    bool TakeEndOfOptions();
    bool OptionsEnded() const { return optionsEnded_; }

private:
    const std::vector<std::string>& args_;
    std::size_t at_ = 0;
    std::optional<std::string> inlineValue_;
    bool optionsEnded_ = false;
};

// A command line that cannot be followed; thrown while parsing only.
struct TUsageError {
    std::string message;
};

// The next word, or a usage error naming what is missing.
std::string Need(TArgs& args, const std::string& what);
// A decimal number from low to high, or a usage error naming what.
int ParseInt(const std::string& word, int low, int high, const std::string& what);
bool IsOption(const std::string& word);
// A file name from the command line in the system's encoding.
QString FileName(const std::string& word);
