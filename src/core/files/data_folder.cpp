#include "core/files/data_folder.h"

#include "core/text/path_text.h"

#include <cstdlib>
#include <fcntl.h>
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

// "ferquor/" under the XDG base folder `variable`, else under `homeRelative` in $HOME; made
// when missing. "" without an absolute base.
std::string XdgFolder(const EnvironmentLookup& lookup, const char* variable,
                      const char* homeRelative) {
    std::string base = lookup(variable);
    if (!base.starts_with('/')) {
        base = lookup("HOME");
        if (!base.starts_with('/')) {
            return {};
        }
        base = EnsureTrailing(base, '/') + homeRelative;
    }
    const std::string folder = EnsureTrailing(base, '/') + "ferquor/";
    MakeFolders(folder);
    return folder;
}

} // namespace

std::string DataFolder(const std::string& programFolder, const EnvironmentLookup& environment) {
    // The effective user is the one whose writes will succeed or fail.
    if (::faccessat(AT_FDCWD, programFolder.c_str(), W_OK, AT_EACCESS) == 0) {
        return programFolder;
    }
    const std::string folder =
        XdgFolder(environment ? environment : ProcessEnvironment, "XDG_DATA_HOME", ".local/share");
    return folder.empty() ? programFolder : folder;
}

std::string CacheFolder(const EnvironmentLookup& environment) {
    return XdgFolder(environment ? environment : ProcessEnvironment, "XDG_CACHE_HOME", ".cache");
}

} // namespace fq
