// ferquor-check [--jobs N] [--json] [FOLDER] | --report-script [FOLDER] | --version: one
// manual check pass, or the report script, for the site database "ferquor.ini" in FOLDER
// (default: the data folder the program beside this executable uses).
#include "cli/check_listing.h"
#include "cli/json_listing.h"
#include "cli/parallel_check.h"
#include "core/check/report_script.h"
#include "core/desktop/executable_path.h"
#include "core/files/data_folder.h"
#include "core/files/text_file.h"
#include "core/sites/signed_sites.h"
#include "core/sites/site_database.h"
#include "core/sites/site_store.h"
#include "core/sites/watched_types.h"
#include "core/text/path_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kAllOk = 0;
constexpr int kChanged = 1;
constexpr int kCannotRun = 2;
constexpr int kNotChecked = 3;

// Sites wait mostly on their servers, so more run at once than there are cores.
constexpr int kDefaultJobs = 16;
constexpr int kMaxJobs = 256;

constexpr const char* kUsage =
    "Usage: ferquor-check [--jobs N] [--json] [FOLDER]\n"
    "       ferquor-check --report-script [FOLDER]\n"
    "       ferquor-check --version\n"
    "Checks every active site of FOLDER/ferquor.ini once, N sites at a time (default 16),\n"
    "or prints the report script with that database's password. --json prints one JSON\n"
    "object per site instead of the listing. FOLDER defaults to the folder of this program\n"
    "when it is yours alone, else to $XDG_DATA_HOME/ferquor (~/.local/share/ferquor).\n"
    "Exit status: 0 every active site OK, 1 a site changed, 2 the database cannot be read,\n"
    "the output cannot be written or the arguments are wrong, 3 no site changed but a site\n"
    "could not be checked.\n";

struct Options {
    bool reportScript = false;
    bool json = false;
    int jobs = kDefaultJobs;
    std::optional<std::string> folder;
};

// A whole number from 1 to kMaxJobs, or nothing.
std::optional<int> JobCount(const std::string& text) {
    int jobs = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9' || jobs > kMaxJobs) {
            return std::nullopt;
        }
        jobs = jobs * 10 + (digit - '0');
    }
    return jobs >= 1 && jobs <= kMaxJobs ? std::optional(jobs) : std::nullopt;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (*argument == "--report-script") {
            options.reportScript = true;
        } else if (*argument == "--json") {
            options.json = true;
        } else if (*argument == "--jobs" || argument->starts_with("--jobs=")) {
            const bool separate = *argument == "--jobs";
            if (separate && std::next(argument) == arguments.end()) {
                return std::nullopt;
            }
            const std::optional<int> jobs =
                JobCount(separate ? *++argument : argument->substr(std::string("--jobs=").size()));
            if (!jobs) {
                return std::nullopt;
            }
            options.jobs = *jobs;
        } else if (argument->empty() || argument->starts_with("-") || options.folder) {
            return std::nullopt;
        } else {
            options.folder = *argument;
        }
    }
    return options;
}

// Writes `text` to standard output; false, saying why on standard error, when it did not all
// get there (a full disk, a closed pipe), so that a cut script or listing is never taken for
// a whole one.
bool Print(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
        std::fflush(stdout) == 0) {
        return true;
    }
    std::cerr << "ferquor-check: cannot write the output: " << std::strerror(errno) << "\n";
    return false;
}

int RunCheck(fq::SiteStore& store, const std::string& folder, const Options& options) {
    fq::SiteList& sites = store.sites();
    const fq::ParallelCheckInputs inputs{
        fq::WatchedTypesAfterEdit(store.watchedTypes()), store.reportPassword(),
        // Read, so that no site that answered the program the signed way is sent the password.
        fq::SignedSites(folder + fq::kSignedSitesFileName, fq::SignedSites::Keeping::kInMemory),
        fq::PostForm};
    const std::string statusLine = fq::CheckSitesInParallel(sites, options.jobs, inputs);
    if (!Print(options.json ? fq::JsonListing(sites) : fq::CheckListing(sites, statusLine))) {
        return kCannotRun;
    }
    switch (fq::OutcomeOf(sites)) {
    case fq::PassOutcome::kAllOk:
        return kAllOk;
    case fq::PassOutcome::kChanged:
        return kChanged;
    case fq::PassOutcome::kNotChecked:
        return kNotChecked;
    }
    return kNotChecked;
}

// Says on standard error why `path` gave no database, in one line.
int CannotRead(const std::string& path, const fq::SiteFileOpened& opened) {
    const std::string reason =
        opened.readError.ok() ? "the file is empty" : opened.readError.reason();
    std::cerr << "ferquor-check: cannot read " << fq::EscapeControlBytes(path) << ": " << reason
              << "\n";
    return kCannotRun;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return kAllOk;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::cout << "ferquor-check " FERQUOR_VERSION "\n";
        return kAllOk;
    }
    const std::optional<Options> options = ParseOptions(arguments);
    if (!options) {
        std::cerr << "ferquor-check: unknown, empty or extra argument; see ferquor-check --help\n";
        return kCannotRun;
    }
    const std::string folder = options->folder ? fq::EnsureTrailing(*options->folder, '/')
                                               : fq::DataFolder(fq::FolderOf(fq::ExecutablePath()));
    fq::SiteStore store(folder + fq::kDatabaseFileName);
    const fq::SiteFileOpened opened = store.open();
    if (!opened.loaded) {
        return CannotRead(store.path(), opened);
    }
    if (options->reportScript) {
        // A password made up here is kept nowhere: a script with it would never match.
        if (opened.passwordMadeUp) {
            std::cerr << "ferquor-check: " << fq::EscapeControlBytes(store.path())
                      << " holds no report password; start ferquor once to make one\n";
            return kCannotRun;
        }
        return Print(fq::FillReportPassword(fq::ReportScriptTemplate(), store.reportPassword()))
                   ? kAllOk
                   : kCannotRun;
    }
    return RunCheck(store, folder, *options);
}
