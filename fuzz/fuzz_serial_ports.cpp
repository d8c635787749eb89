// The texts the port listing reads, from arbitrary bytes: names of entries in
// a links folder, the "type" attribute of a ttyS node and the maker, model
// and serial attributes of a USB adapter, then the description built from
// them. Names map to a number only as "COM<n>" written plainly; an attribute
// is the first line with its line break and trailing blanks and CRs gone;
// the type reads as the C library's strtol reads it.
#include "SerialPortText.h"
#include "SerialPorts.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// The number n of a name "COM<n>" with no sign, no leading zero, within int.
int ExpectedNumber(std::string_view name) {
    if (name.size() <= 3 || name.substr(0, 3) != "COM" || name[3] == '0')
        return 0;
    long long value = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return 0;
    }
    return static_cast<int>(value);
}

void CheckName(std::string_view name) {
    const int number = PortNumberOf(name);
    Check(number == ExpectedNumber(name));
    if (number > 0)
        Check(name == "COM" + std::to_string(number));
}

void CheckAttribute(std::string_view bytes, const std::string& text) {
    Check(text.find('\n') == std::string::npos);
    Check(text.empty() || (text.back() != '\r' && text.back() != ' '));
    Check(bytes.substr(0, text.size()) == text);
    const std::string_view rest = bytes.substr(text.size(), bytes.find('\n') - std::min(bytes.find('\n'), text.size()));
    for (char c : rest)
        Check(c == '\r' || c == ' ');
}

// What the C library's strtol makes of the text: no digits read as 0, a
// number past long as not 0.
bool StrtolSaysUart(const std::string& text) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno == ERANGE)
        return true;
    return value != 0;
}

std::vector<std::string_view> Parts(std::string_view bytes, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t nul = bytes.find('\0');
        if (nul == std::string_view::npos)
            break;
        parts.push_back(bytes.substr(0, nul));
        bytes.remove_prefix(nul + 1);
    }
    parts.push_back(bytes);
    parts.resize(count);
    return parts;
}

} // namespace

// Input: up to six parts separated by NUL bytes: an entry name, the type
// attribute, the manufacturer, product and serial attributes, the device.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = Parts(bytes, 6);
    CheckName(parts[0]);

    const std::string type = AttributeText(parts[1]);
    CheckAttribute(parts[1], type);
    Check(IsUartType(type) == StrtolSaysUart(type));

    TSerialPortInfo info;
    info.name = "COM1";
    info.device = std::string(parts[5]);
    std::string* fields[] = {&info.manufacturer, &info.product, &info.serial};
    for (int i = 0; i < 3; ++i) {
        *fields[i] = AttributeText(parts[static_cast<std::size_t>(2 + i)]);
        CheckAttribute(parts[static_cast<std::size_t>(2 + i)], *fields[i]);
    }
    const std::string description = info.Description();
    Check(description.compare(0, info.device.size(), info.device) == 0);
    const bool maker = !info.manufacturer.empty() || !info.product.empty();
    Check(description.size() == info.device.size() || maker || !info.serial.empty());
    if (maker || !info.serial.empty())
        Check(description.compare(info.device.size(), 2, ": ") == 0);
    if (!info.serial.empty()) {
        const std::string tail = "nr seryjny " + info.serial;
        Check(description.size() >= tail.size() &&
              description.compare(description.size() - tail.size(), tail.size(), tail) == 0);
    }
    return 0;
}
