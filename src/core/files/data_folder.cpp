#include "core/files/data_folder.h"

#include "core/text/path_text.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

std::string ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Makes `folder` and the folders above it that are missing, private to this user as the
// desktop's data folders are; a failure shows later, when a file is written there.
void MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    }
}

// $HOME, else the home that the user's account names; "" when neither is absolute.
std::string HomeFolder(const EnvironmentLookup& lookup) {
    std::string home = lookup("HOME");
    if (!home.starts_with('/')) {
        const passwd* account = ::getpwuid(::geteuid());
        home = account != nullptr && account->pw_dir != nullptr ? account->pw_dir : "";
    }
    return home.starts_with('/') ? home : std::string();
}

// "ferquor/" under the XDG base folder `variable`, made when missing; "" without a base.
std::string XdgFolder(const EnvironmentLookup& lookup, const char* variable,
                      const char* homeRelative) {
    const std::string base = XdgBaseFolder(variable, homeRelative, lookup);
    if (base.empty()) {
        return {};
    }
    MakeFolders(base + "ferquor/");
    return base + "ferquor/";
}

// The folder is this user's own, nobody else may write to it, and this user may. Another
// user who could put a "ferquor.ini" there would choose what the program sends where.
bool OwnPrivateFolder(const std::string& folder) {
    struct stat info {};
    // The effective user is the one whose writes will succeed or fail.
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
           ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

} // namespace

std::string XdgBaseFolder(const char* variable, const char* homeRelative,
                          const EnvironmentLookup& environment) {
    const EnvironmentLookup& lookup = environment ? environment : ProcessEnvironment;
    std::string base = lookup(variable);
    if (!base.starts_with('/')) {
        base = HomeFolder(lookup);
        if (base.empty()) {
            return {};
        }
        base = EnsureTrailing(base, '/') + homeRelative;
    }
    return EnsureTrailing(base, '/');
}

std::string DataFolder(const std::string& programFolder, const EnvironmentLookup& environment) {
    if (OwnPrivateFolder(programFolder)) {
        return programFolder;
    }
    const std::string folder = XdgFolder(environment, "XDG_DATA_HOME", ".local/share");
    return folder.empty() ? programFolder : folder;
}

std::string CacheFolder(const EnvironmentLookup& environment) {
    return XdgFolder(environment, "XDG_CACHE_HOME", ".cache");
}

} // namespace fq
