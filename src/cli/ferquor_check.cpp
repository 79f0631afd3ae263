// ferquor-check [--report-script] [FOLDER]: one manual check pass, or the report script, for
// the site database "ferquor.ini" in FOLDER (default: the data folder the program beside this
// executable uses).
#include "cli/check_listing.h"
#include "core/check/check_pass.h"
#include "core/check/report_script.h"
#include "core/desktop/executable_path.h"
#include "core/files/data_folder.h"
#include "core/files/text_file.h"
#include "core/sites/signed_sites.h"
#include "core/sites/site_database.h"
#include "core/sites/site_store.h"
#include "core/sites/watched_types.h"
#include "core/text/path_text.h"
#include "core/time/clock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kAllOk = 0;
constexpr int kChanged = 1;
constexpr int kCannotRun = 2;
constexpr int kNotChecked = 3;

constexpr const char* kUsage =
    "Usage: ferquor-check [FOLDER]\n"
    "       ferquor-check --report-script [FOLDER]\n"
    "Checks every active site of FOLDER/ferquor.ini once, or prints the report script with\n"
    "that database's password. FOLDER defaults to the folder of this program when it is\n"
    "yours alone, else to $XDG_DATA_HOME/ferquor (~/.local/share/ferquor).\n"
    "Exit status: 0 every active site OK, 1 a site changed, 2 the database cannot be read,\n"
    "the output cannot be written or the arguments are wrong, 3 no site changed but a site\n"
    "could not be checked.\n";

struct Options {
    bool reportScript = false;
    std::optional<std::string> folder;
};

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (const std::string& argument : arguments) {
        if (argument == "--report-script") {
            options.reportScript = true;
        } else if (argument.empty() || argument.starts_with("-") || options.folder) {
            return std::nullopt;
        } else {
            options.folder = argument;
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

int RunCheck(fq::SiteStore& store, const std::string& folder) {
    fq::SiteList& sites = store.sites();
    std::string statusLine;
    fq::SleepingClock clock;
    const fq::CheckServices services = fq::RealCheckServices([] { return true; }, clock);
    const std::string watchedTypes = fq::WatchedTypesAfterEdit(store.watchedTypes());
    fq::CheckSettings settings;
    settings.watchedTypes = [&watchedTypes] { return watchedTypes; };
    settings.reportPassword = [&store] { return store.reportPassword(); };
    settings.showStatus = [&statusLine](const std::string& caption) { statusLine = caption; };
    // Read, so that no site that answered the program the signed way is sent the password.
    fq::SignedSites signedSites(folder + fq::kSignedSitesFileName,
                                fq::SignedSites::Keeping::kInMemory);
    settings.signedSites = &signedSites;

    fq::CheckPass().run(false, sites, services, settings);
    if (!Print(fq::CheckListing(sites, statusLine))) {
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
    return RunCheck(store, folder);
}
