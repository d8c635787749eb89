#include "OpenFailure.h"

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

constexpr std::size_t MAX_HOLDERS = 3;
constexpr const char* FALLBACK_GROUP = "dialout";

bool IsNumber(const char* text) {
    if (*text == '\0')
        return false;
    for (; *text != '\0'; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX] = {};
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string LinkTarget(const std::string& link) {
    char target[PATH_MAX] = {};
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

bool HoldsFile(const std::string& fdFolder, const std::string& file) {
    DIR* dir = ::opendir(fdFolder.c_str());
    if (dir == nullptr)
        return false;
    bool holds = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsNumber(entry->d_name) && LinkTarget(fdFolder + "/" + entry->d_name) == file) {
            holds = true;
            break;
        }
    }
    ::closedir(dir);
    return holds;
}

std::string ProgramName(const std::string& processFolder) {
    std::ifstream comm(processFolder + "/comm");
    std::string name;
    std::getline(comm, name);
    return name.empty() ? std::string("?") : name;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : ", ") + part;
    return out;
}

std::string NoSuchDeviceReason(const std::string& device) {
    if (device.empty())
        return "Przyczyna: nie ma takiego urządzenia (nazwa portu nie wskazuje żadnego).";
    return "Przyczyna: nie ma takiego urządzenia (" + device + ").";
}

std::string PermissionReason(const std::string& device) {
    std::string group = DeviceGroup(device);
    if (group.empty() || group == "root")
        group = FALLBACK_GROUP;
    return "Przyczyna: brak uprawnień do " + device + "; użytkownik musi należeć do grupy " + group +
           " (sudo usermod -aG " + group + " $USER), a potem zalogować się ponownie.";
}

std::string BusyReason(const std::string& device) {
    const std::vector<std::string> holders = PortHolders(device);
    if (holders.empty())
        return "Przyczyna: port " + device + " jest zajęty przez inny program.";
    return "Przyczyna: port " + device + " jest zajęty przez inny program (" + Joined(holders) + ").";
}

std::string FailedReason(const std::string& device, int errorNumber) {
    std::string text = "Przyczyna: system odmówił otwarcia " + device;
    if (errorNumber != 0)
        text += std::string(" (") + std::strerror(errorNumber) + ")";
    return text + ".";
}

std::string ReasonText(TOpenError error, const std::string& device, int errorNumber) {
    switch (error) {
    case TOpenError::None:
        return {};
    case TOpenError::NoSuchDevice:
        return NoSuchDeviceReason(device);
    case TOpenError::PermissionDenied:
        return PermissionReason(device);
    case TOpenError::Busy:
        return BusyReason(device);
    case TOpenError::NotSerial:
        return "Przyczyna: " + device + " nie jest portem szeregowym.";
    case TOpenError::Failed:
        break;
    }
    return FailedReason(device, errorNumber);
}

} // namespace

TOpenError OpenErrorOf(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
        return TOpenError::NoSuchDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return TOpenError::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return TOpenError::Busy;
    case ENOTTY:
    case EISDIR:
        return TOpenError::NotSerial;
    default:
        return TOpenError::Failed;
    }
}

TOpenResult OpenFailure(TOpenError error, const std::string& device, int errorNumber) {
    TOpenResult result;
    result.error = error;
    result.device = device;
    result.reason = ReasonText(error, device, errorNumber);
    return result;
}

std::string DeviceGroup(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    const group* owner = ::getgrgid(st.st_gid);
    return owner != nullptr && owner->gr_name != nullptr ? std::string(owner->gr_name) : std::string();
}

std::vector<std::string> PortHolders(const std::string& device, const std::string& procRoot) {
    std::vector<std::string> holders;
    const std::string file = RealPath(device);
    DIR* dir = ::opendir(procRoot.c_str());
    if (dir == nullptr)
        return holders;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsNumber(entry->d_name))
            continue;
        const std::string process = procRoot + "/" + entry->d_name;
        if (!HoldsFile(process + "/fd", file))
            continue;
        holders.push_back(ProgramName(process) + " (PID " + entry->d_name + ")");
        if (holders.size() == MAX_HOLDERS)
            break;
    }
    ::closedir(dir);
    return holders;
}
