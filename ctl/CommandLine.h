#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

// The command line, read one word at a time.
class TArgs {
public:
    explicit TArgs(const std::vector<std::string>& args) : args_(args) {}
    bool AtEnd() const { return at_ >= args_.size(); }
    const std::string& Peek() const { return args_[at_]; }
    std::string Next() { return args_[at_++]; }
    // True when the next word is the option name, which is then taken.
    bool Take(const std::string& name);

private:
    const std::vector<std::string>& args_;
    std::size_t at_ = 0;
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
