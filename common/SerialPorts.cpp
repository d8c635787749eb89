#include "SerialPorts.h"

#include "SerialPortText.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace {

constexpr int BAND_SIZE = 32;
// How far above the tty's own sysfs node the USB device may sit
// (interface, then device; some drivers add a level of their own).
constexpr int USB_SEARCH_DEPTH = 4;

struct TBand {
    int first;
    const char* prefix;
};

// COM1..32, COM33..64 and COM65..96.
constexpr TBand BANDS[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};

const char* PortFolder() {
    const char* folder = std::getenv("KR7_PORTS");
    return folder != nullptr && *folder != '\0' ? folder : nullptr;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool IsCharDevice(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX] = {};
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

// The first line of a small sysfs attribute, without its newline.
std::string ReadAttribute(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return AttributeText(line);
}

// The kernel registers ttyS devices whether or not a UART is behind them; the
// serial core reports the UART type in sysfs (0 for none). Reading it there
// keeps the device closed: an open would raise DTR and RTS.
bool HasUartDevice(const std::string& sysfsRoot, int index) {
    const std::string text = ReadAttribute(sysfsRoot + "/class/tty/ttyS" + std::to_string(index) + "/type");
    return IsUartType(text) && IsCharDevice("/dev/ttyS" + std::to_string(index));
}

void ListFolder(const std::string& folder, std::vector<int>& numbers) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const int number = PortNumberOf(entry->d_name);
        // stat follows the link: a dangling one is skipped.
        if (number > 0 && IsCharDevice(folder + "/" + entry->d_name))
            numbers.push_back(number);
    }
    ::closedir(dir);
}

void ListBands(const std::string& sysfsRoot, std::vector<int>& numbers) {
    for (int i = 0; i < BAND_SIZE; ++i)
        if (HasUartDevice(sysfsRoot, i))
            numbers.push_back(BANDS[0].first + i);
    for (std::size_t b = 1; b < std::size(BANDS); ++b) {
        for (int i = 0; i < BAND_SIZE; ++i)
            if (IsCharDevice(BANDS[b].prefix + std::to_string(i)))
                numbers.push_back(BANDS[b].first + i);
    }
}

// A USB adapter's own words: the USB device node above the tty's node holds
// idVendor beside manufacturer, product and serial.
void ReadUsbDetails(const std::string& sysfsRoot, TSerialPortInfo& info) {
    std::string node = RealPath(sysfsRoot + "/class/tty/" + BaseName(info.device) + "/device");
    const std::string top = RealPath(sysfsRoot);
    for (int depth = 0; depth < USB_SEARCH_DEPTH && node.size() > top.size(); ++depth, node = ParentOf(node)) {
        if (!Exists(node + "/idVendor"))
            continue;
        info.manufacturer = ReadAttribute(node + "/manufacturer");
        info.product = ReadAttribute(node + "/product");
        info.serial = ReadAttribute(node + "/serial");
        return;
    }
}

} // namespace

std::string TSerialPortInfo::Description() const {
    std::string text = device;
    std::string maker = manufacturer;
    if (!product.empty())
        maker += (maker.empty() ? "" : " ") + product;
    if (!maker.empty())
        text += ": " + maker;
    if (!serial.empty())
        text += (maker.empty() ? ": " : ", ") + std::string("nr seryjny ") + serial;
    return text;
}

std::string PortLinksFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/')
        return std::string(config) + "/KR7Controller/ports";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/')
        return std::string(home) + "/.config/KR7Controller/ports";
    return {};
}

std::string SerialDevicePath(int portNumber) {
    if (portNumber <= 0)
        return {};
    const std::string name = "/COM" + std::to_string(portNumber);
    const char* folder = PortFolder();
    if (folder != nullptr && Exists(folder + name))
        return folder + name;
    const std::string links = PortLinksFolder();
    if (!links.empty() && Exists(links + name))
        return links + name;
    if (folder != nullptr)
        return folder + name;
    for (const TBand& band : BANDS)
        if (portNumber >= band.first && portNumber < band.first + BAND_SIZE)
            return band.prefix + std::to_string(portNumber - band.first);
    return {};
}

std::vector<TSerialPortInfo> ListSerialPortInfo(const std::string& sysfsRoot) {
    std::vector<int> numbers;
    if (const char* folder = PortFolder())
        ListFolder(folder, numbers);
    else
        ListBands(sysfsRoot, numbers);
    if (const std::string links = PortLinksFolder(); !links.empty())
        ListFolder(links, numbers);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

    std::vector<TSerialPortInfo> ports;
    for (int n : numbers) {
        TSerialPortInfo info;
        info.name = "COM" + std::to_string(n);
        info.device = RealPath(SerialDevicePath(n));
        ReadUsbDetails(sysfsRoot, info);
        ports.push_back(std::move(info));
    }
    return ports;
}

void ListSerialPorts(std::vector<std::string>& list) {
    list.clear();
    for (TSerialPortInfo& info : ListSerialPortInfo())
        list.push_back(std::move(info.name));
}
