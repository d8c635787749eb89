#include "OpenFailure.h"

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace {

constexpr std::size_t MAX_HOLDERS = 3;

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
    result.errorNumber = errorNumber;
    if (error == TOpenError::PermissionDenied && !device.empty()) {
        result.group = DeviceGroup(device);
        result.groupMayReadWrite = GroupMayReadWrite(device);
    }
    if (error == TOpenError::Busy && !device.empty())
        result.holders = PortHolders(device);
    return result;
}

std::string DeviceGroup(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    const group* owner = ::getgrgid(st.st_gid);
    return owner != nullptr && owner->gr_name != nullptr ? std::string(owner->gr_name) : std::string();
}

bool GroupMayReadWrite(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return false;
    return (st.st_mode & S_IRGRP) != 0 && (st.st_mode & S_IWGRP) != 0;
}

std::vector<TPortHolder> PortHolders(const std::string& device, const std::string& procRoot) {
    std::vector<TPortHolder> holders;
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
        holders.push_back({ProgramName(process), std::atoi(entry->d_name)});
        if (holders.size() == MAX_HOLDERS)
            break;
    }
    ::closedir(dir);
    return holders;
}
