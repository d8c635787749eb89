#include "CommandLine.h"

#include <cerrno>
#include <cstdlib>

std::string TArgs::Next() {
    if (!inlineValue_)
        return args_[at_++];
    std::string value = std::move(*inlineValue_);
    inlineValue_.reset();
    return value;
}

bool TArgs::Take(const std::string& name) {
    if (AtEnd() || optionsEnded_ || inlineValue_ || args_[at_] != name)
        return false;
    ++at_;
    return true;
}

bool TArgs::TakeOption(const std::string& name) {
    if (Take(name))
        return true;
    if (AtEnd() || optionsEnded_ || inlineValue_)
        return false;
    const std::string& word = args_[at_];
    if (word.size() <= name.size() || word.compare(0, name.size(), name) != 0 || word[name.size()] != '=')
        return false;
    inlineValue_ = word.substr(name.size() + 1);
    ++at_;
    return true;
}

bool TArgs::TakeEndOfOptions() {
    if (optionsEnded_ || !Take("--"))
        return false;
    optionsEnded_ = true;
    return true;
}

std::string Need(TArgs& args, const std::string& what) {
    if (args.AtEnd())
        throw TUsageError{"missing " + what};
    return args.Next();
}

int ParseInt(const std::string& word, int low, int high, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno != 0 || value < low || value > high)
        throw TUsageError{what + " must be a number from " + std::to_string(low) + " to " + std::to_string(high) +
                          ", not \"" + word + "\""};
    return static_cast<int>(value);
}

bool IsOption(const std::string& word) {
    return word.size() > 2 && word.compare(0, 2, "--") == 0;
}

QString FileName(const std::string& word) {
    return QString::fromLocal8Bit(word.c_str());
}
