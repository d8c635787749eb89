#include "SerialPortText.h"

#include <linux/serial.h>

#include <charconv>

int PortNumberOf(std::string_view name) {
    constexpr std::string_view prefix = "COM";
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return 0;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() < '1' || digits.front() > '9')
        return 0;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return value;
}

std::string AttributeText(std::string_view bytes) {
    std::string_view line = bytes.substr(0, bytes.find('\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    return std::string(line);
}

bool IsUartType(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    if (at == text.size() || text[at] < '0' || text[at] > '9')
        return false; // no number
    long value = 0;
    const auto error = std::from_chars(text.data() + at, text.data() + text.size(), value).ec;
    // A number too large to read is still not the unknown type.
    if (error == std::errc::result_out_of_range)
        return true;
    return (negative ? -value : value) != PORT_UNKNOWN;
}
