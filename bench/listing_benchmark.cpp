// Driver of listing_benchmark.sh: one site of 30,000 watched files (about MediaWiki's size;
// the first argument may give another count, a multiple of 100), its server copy served with
// the generated report script by Apache with mod_php (the second argument may choose "guarded"
// for the same behind ModSecurity's core rule set, "nginx" for nginx with php-fpm, or "php"
// for php -S), its local copy beside it. Times the signed-list pass twice with
// one CheckPass: first with nothing cached, against find + sha256sum of the local files + curl
// of the same exchange; then again with nothing changed, against find + curl. Prints the best
// of each, the ratios, the answer's size and the files hashed.
#include "core/check/check_pass.h"
#include "core/check/listing_exchange.h"
#include "core/check/report_script.h"
#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "manual_clock.h"
#include "php_server.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 5;
constexpr const char* kPassword = "bench";
constexpr const char* kWatchedTypes = "php,js,htm,asp";

bool MakeTree(const fs::path& root, int folders) {
    for (int folder = 0; folder < folders; ++folder) {
        const fs::path path = root / ("extensions" + std::to_string(folder)) / "includes";
        fs::create_directories(path);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const int number = folder * kFilesPerFolder + file;
            const std::string name =
                "Page" + std::to_string(number) + (number % 4 ? ".php" : ".js");
            if (!fq::WriteTextFile((path / name).string(),
                                   std::string(static_cast<std::size_t>(500 + number % 7000),
                                               static_cast<char>('a' + number % 26)))) {
                return false;
            }
        }
    }
    return true;
}

// Milliseconds that `command` took in the shell; negative when it failed.
double TimeShell(const std::string& command) {
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return status == 0 ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv) {
    const int folders = (argc > 1 ? std::atoi(argv[1]) : 30000) / kFilesPerFolder;
    const std::string kind = argc > 2 ? argv[2] : "apache";
    TempFolder work, serverWork;
    const fs::path server = work.path() / "server", local = work.path() / "local";
    if (folders < 1 || !MakeTree(server, folders) || !MakeTree(local, folders) ||
        !fq::WriteTextFile((server / "_report.php").string(),
                           fq::FillReportPassword(fq::ReportScriptTemplate(), kPassword))) {
        std::cerr << "listing_benchmark: cannot write the sites under " << work.path() << "\n";
        return 1;
    }
    // Apache serves as another user when run by root: it must pass through to the site.
    fs::permissions(work.path(), fs::perms::others_exec, fs::perm_options::add);
    std::unique_ptr<LoopbackServer> web;
    if (kind == "apache" || kind == "guarded") {
        web = std::make_unique<ApacheServer>(server, serverWork.path(),
                                             kind == "guarded" ? Apache::kGuarded : Apache::kPlain);
    } else if (kind == "nginx") {
        web = std::make_unique<NginxServer>(server, serverWork.path());
    } else {
        web = std::make_unique<PhpServer>(server);
    }
    if (!web->running()) {
        std::cerr << "listing_benchmark: no web server started\n";
        return 1;
    }
    const std::string localFolder = local.string() + "/", url = web->url() + "_report.php";
    const std::string nonce = fq::RandomHex(16).value_or(std::string(32, '0'));
    const fs::path body = work.path() / "body", answer = work.path() / "answer";
    if (!fq::WriteTextFile(body.string(),
                           fq::BuildListingRequestBody(kPassword, kWatchedTypes, nonce))) {
        return 1;
    }
    const std::string find = "find '" + localFolder + "' -type f";
    const std::string curl =
        "curl -s -o '" + answer.string() + "' --data-binary @'" + body.string() + "' '" + url + "'";

    ManualClock clock; // the pause between sites is not what is measured
    const fq::CheckServices services = fq::RealCheckServices([] { return true; }, clock);
    fq::CheckSettings settings;
    settings.watchedTypes = [] { return std::string(kWatchedTypes); };
    settings.reportPassword = [] { return std::string(kPassword); };
    settings.showStatus = [](const std::string&) {};
    std::vector<double> firsts, seconds, fullFloors, listFloors;
    std::size_t hashedAgain = 0;
    // A very large site is timed once after the warming round.
    const int rounds = folders * kFilesPerFolder > 50000 ? 1 : kRounds;
    for (int round = 0; round <= rounds; ++round) {
        fq::SiteList sites;
        sites.reload({{web->url(), localFolder, true}});
        fq::CheckPass pass; // nothing cached
        const double fullFloor =
            TimeShell(find + " -print0 | xargs -0 sha256sum >/dev/null && " + curl);
        auto start = Clock::now();
        pass.run(false, sites, services, settings);
        const double first =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const std::size_t hashedFirst = pass.filesHashed();
        const double listFloor = TimeShell(find + " >/dev/null && " + curl);
        start = Clock::now();
        pass.run(false, sites, services, settings);
        const double second =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        hashedAgain = pass.filesHashed() - hashedFirst;
        if (sites.at(0).result.status != fq::SiteStatus::kOk ||
            sites.at(0).result.exchange != fq::Exchange::kSignedListing || fullFloor < 0 ||
            listFloor < 0) {
            std::cerr << "listing_benchmark: the site did not check out: "
                      << fq::StatusText(sites.at(0).result.status) << " "
                      << fq::TotalText(sites.at(0).result) << "\n";
            return 1;
        }
        if (round == 0) {
            continue; // warms the server and the page cache
        }
        firsts.push_back(first);
        seconds.push_back(second);
        fullFloors.push_back(fullFloor);
        listFloors.push_back(listFloor);
    }
    const auto best = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    std::printf("files: %d, served by %s, best of %d rounds, in ms\n", folders * kFilesPerFolder,
                kind.c_str(), rounds);
    std::printf("answer: %ju bytes\n", static_cast<std::uintmax_t>(fs::file_size(answer)));
    std::printf("first pass: %.0f, floor find+sha256sum+curl: %.0f, ratio %.2f\n", best(firsts),
                best(fullFloors), best(firsts) / best(fullFloors));
    std::printf("second pass: %.0f, floor find+curl: %.0f, ratio %.2f, local files hashed: %zu\n",
                best(seconds), best(listFloors), best(seconds) / best(listFloors), hashedAgain);
    return 0;
}
