// Driver of check_benchmark.sh: one site of 10,000 watched files, its server copy served by
// `php -S` with a report script that knows only the size request, its local copy beside it. Each
// round times the local scan, curl posting the pass's request body, the program's own PostForm with
// that body (for information), and a whole manual check pass with a wait that returns at once; the
// best times and the ratio check / (scan + curl) are printed, the ratio last.
#include "core/check/check_pass.h"
#include "core/check/local_scan.h"
#include "core/check/report_request.h"
#include "core/check/report_script.h"
#include "core/files/text_file.h"
#include "core/net/http_client.h"
#include "manual_clock.h"
#include "php_server.h"
#include "temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 11;
constexpr const char* kPassword = "bench";
constexpr const char* kWatchedTypes = "php,js,htm,asp";

// False when a file could not be written.
bool MakeTree(const fs::path& root) {
    for (int folder = 0; folder < kFolders; ++folder) {
        const fs::path path = root / ("section" + std::to_string(folder)) / "inc";
        fs::create_directories(path);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const int number = folder * kFilesPerFolder + file;
            const char* type = number % 4 == 0 ? ".js" : ".php";
            if (!fq::WriteTextFile(
                    (path / ("page" + std::to_string(number) + type)).string(),
                    std::string(static_cast<std::size_t>(200 + number % 1800), 'x'))) {
                return false;
            }
        }
    }
    return true;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// curl's own time for the whole exchange, in milliseconds; its answer goes to `answerFile`.
double TimeCurl(const std::string& url, const fs::path& bodyFile, const fs::path& answerFile) {
    const std::string command =
        "curl -s --http1.0 -A 'vb wininet' -H 'Content-Type: application/x-www-form-urlencoded'"
        " --data-binary @'" +
        bodyFile.string() + "' -o '" + answerFile.string() + "' -w '%{time_total}' '" + url + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    double seconds = -1;
    if (pipe != nullptr) {
        if (std::fscanf(pipe, "%lf", &seconds) != 1) {
            seconds = -1;
        }
        ::pclose(pipe);
    }
    return seconds * 1000;
}

// The machine is shared: the fastest round of each is the one least disturbed.
double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

} // namespace

int main() {
    TempFolder work;
    const fs::path server = work.path() / "server";
    const fs::path local = work.path() / "local";
    // A script from before the signed list: the pass asks for the list, gets nothing, and
    // asks for the sizes, as it does for every site that has not uploaded the new script.
    if (!MakeTree(server) || !MakeTree(local) ||
        !fq::WriteTextFile((server / "script.inc").string(),
                           fq::FillReportPassword(fq::ReportScriptTemplate(), kPassword)) ||
        !fq::WriteTextFile((server / "_report.php").string(),
                           "<?php if (!isset($_POST['fq'])) include __DIR__ . '/script.inc';")) {
        std::cerr << "check_benchmark: cannot write the sites under " << work.path() << "\n";
        return 1;
    }
    PhpServer php(server);
    if (!php.running()) {
        std::cerr << "check_benchmark: php -S did not start\n";
        return 1;
    }
    const std::string localFolder = local.string() + "/";
    const std::string scriptUrl = fq::ReportScriptUrl(php.url());
    const fs::path bodyFile = work.path() / "body";
    const fs::path answerFile = work.path() / "answer";

    fq::SiteList sites;
    sites.reload({{php.url(), localFolder, true}});
    ManualClock clock; // the pause is not what is measured
    const fq::CheckServices services = fq::RealCheckServices([] { return true; }, clock);
    fq::CheckSettings settings;
    settings.watchedTypes = [] { return std::string(kWatchedTypes); };
    settings.reportPassword = [] { return std::string(kPassword); };
    settings.showStatus = [](const std::string&) {};
    fq::CheckPass pass;

    std::vector<double> scans, curls, posts, checks;
    std::string sizes;
    for (int round = 0; round <= kRounds; ++round) {
        const auto scanStart = Clock::now();
        const std::vector<std::string> list = fq::ListWatchedFiles(localFolder, "", kWatchedTypes);
        sizes = fq::LocalSizeText(localFolder, list);
        const double scan = Milliseconds(Clock::now() - scanStart);

        const std::string body = fq::BuildReportRequestBody(kPassword, list);
        if (!fq::WriteTextFile(bodyFile.string(), body)) {
            std::cerr << "check_benchmark: cannot write " << bodyFile << "\n";
            return 1;
        }
        const double curl = TimeCurl(scriptUrl, bodyFile, answerFile);

        const auto postStart = Clock::now();
        static_cast<void>(fq::PostForm(scriptUrl, body)); // only its time is measured
        const double post = Milliseconds(Clock::now() - postStart);

        const auto checkStart = Clock::now();
        pass.run(false, sites, services, settings);
        const double check = Milliseconds(Clock::now() - checkStart);

        if (round == 0) {
            continue; // warms the server, the caches and the page cache
        }
        scans.push_back(scan);
        curls.push_back(curl);
        posts.push_back(post);
        checks.push_back(check);
    }
    const std::string total = fq::TotalText(sites.at(0).result);
    if (sites.at(0).result.status != fq::SiteStatus::kOk ||
        fq::ReadTextFile(answerFile.string()) != sizes) {
        std::cerr << "check_benchmark: the site did not check out: "
                  << fq::StatusText(sites.at(0).result.status) << " " << total << "\n";
        return 1;
    }
    const double scan = Best(scans), curl = Best(curls), check = Best(checks);
    std::printf("files: %d, best of %d rounds, in ms\n", kFolders * kFilesPerFolder, kRounds);
    std::printf("scan: %.1f\ncurl: %.1f\nPostForm alone: %.1f\ncheck pass: %.1f (%s)\n", scan, curl,
                Best(posts), check, total.c_str());
    std::printf("check/(scan+curl) ratio: %.2f\n", check / (scan + curl));
    return 0;
}
