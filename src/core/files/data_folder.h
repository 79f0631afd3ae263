#pragma once

#include <functional>
#include <string>

namespace fq {

// Reads one environment variable; "" when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;

// The XDG base folder that `variable` names when it is absolute, else `homeRelative` under the
// home ($HOME when absolute, else the account's), ending in "/"; "" without an absolute home.
// `environment` empty: the process environment.
[[nodiscard]] std::string XdgBaseFolder(const char* variable, const char* homeRelative,
                                        const EnvironmentLookup& environment = {});

// Where the program keeps the files it writes (the database, the banner list and pictures,
// the generated pages), ending in "/". It is `programFolder` itself while that folder belongs
// to this user, who may write there, and nobody else may (no group or other write), as in a
// build folder or a copied program folder. Otherwise (an install, a shared folder) it is
// "ferquor/" under $XDG_DATA_HOME (used only when absolute) or else under .local/share in the
// home ($HOME, else the account's), made with mode 0700 when missing; without an absolute home
// it stays `programFolder`. `environment` empty: the process environment.
[[nodiscard]] std::string DataFolder(const std::string& programFolder,
                                     const EnvironmentLookup& environment = {});

// Where the program keeps what it can compute again (the hashes of local files): "ferquor/"
// under $XDG_CACHE_HOME (used only when absolute) or else under .cache in the home, made with mode
// 0700 when missing, ending in "/"; "" without an absolute home.
[[nodiscard]] std::string CacheFolder(const EnvironmentLookup& environment = {});

} // namespace fq
