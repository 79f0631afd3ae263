// ferquor-check [--report-script] [FOLDER]: one manual check pass, or the report script, for
// the site database "ferquor.ini" in FOLDER (default: the folder of this executable).
#include "cli/check_listing.h"
#include "core/check/check_pass.h"
#include "core/check/report_script.h"
#include "core/platform/clock.h"
#include "core/platform/executable_path.h"
#include "core/platform/path_text.h"
#include "core/platform/text_file.h"
#include "core/sites/site_database.h"
#include "core/sites/watched_types.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kNoChange = 0;
constexpr int kChanged = 1;
constexpr int kCannotRead = 2;

constexpr const char* kUsage =
    "Usage: ferquor-check [FOLDER]\n"
    "       ferquor-check --report-script [FOLDER]\n"
    "Checks every active site of FOLDER/ferquor.ini once (FOLDER defaults to the folder of\n"
    "this program), or prints the report script with that database's password.\n"
    "Exit status: 0 no site changed, 1 a site changed, 2 the database cannot be read.\n";

struct Options {
    bool reportScript = false;
    std::optional<std::string> folder;
};

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (const std::string& argument : arguments) {
        if (argument == "--report-script") {
            options.reportScript = true;
        } else if (argument.starts_with("-") || options.folder) {
            return std::nullopt;
        } else {
            options.folder = argument;
        }
    }
    return options;
}

int RunCheck(const fq::SiteDatabase& database) {
    fq::SiteList sites;
    sites.reload(database.sites);
    std::string statusLine;
    fq::SleepingClock clock;
    const fq::CheckServices services = fq::RealCheckServices([] { return true; }, clock);
    const std::string watchedTypes = fq::WatchedTypesAfterEdit(database.watchedTypes);
    fq::CheckSettings settings;
    settings.watchedTypes = [&watchedTypes] { return watchedTypes; };
    settings.reportPassword = [&database] { return database.reportPassword; };
    settings.showStatus = [&statusLine](const std::string& caption) { statusLine = caption; };

    fq::CheckPass().run(false, sites, services, settings);
    std::cout << fq::CheckListing(sites, statusLine) << std::flush;
    return fq::AnySiteChanged(sites) ? kChanged : kNoChange;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return kNoChange;
    }
    const std::optional<Options> options = ParseOptions(arguments);
    if (!options) {
        std::cerr << kUsage;
        return kCannotRead;
    }
    const std::string folder = options->folder ? fq::EnsureTrailing(*options->folder, '/')
                                               : fq::FolderOf(fq::ExecutablePath());
    const std::string databasePath = folder + fq::kDatabaseFileName;
    const auto database = fq::ParseSiteDatabase(fq::ReadTextFile(databasePath));
    if (!database) {
        std::cerr << "ferquor-check: cannot read " << databasePath << "\n";
        return kCannotRead;
    }
    if (options->reportScript) {
        std::cout << fq::FillReportPassword(fq::ReportScriptTemplate(), database->reportPassword)
                  << std::flush;
        return kNoChange;
    }
    return RunCheck(*database);
}
