#include "cli/parallel_check.h"

#include "core/check/check_pass.h"
#include "core/time/clock.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace fq {
namespace {

// The window paces its sites; a checker run from cron or a terminal has no reason to wait.
class ClockThatNeverWaits final : public Clock {
public:
    std::int64_t now() override { return WholeSecondsNow(); }
    void waitUntilPast(std::int64_t) override {}
};

// Checks the row `row` of `sites` on a list of its own, so that no two threads share one;
// the verdict is written back under `lock`.
void CheckOneSite(SiteList& sites, int row, const ParallelCheckInputs& inputs, std::mutex& lock) {
    SiteList alone;
    {
        const std::lock_guard<std::mutex> guard(lock);
        alone.append(sites.at(row).site);
    }
    ClockThatNeverWaits clock;
    const CheckServices services{inputs.postForm, [] { return true; }, &clock};
    SignedSites signedSites = inputs.signedSites;
    CheckSettings settings;
    settings.watchedTypes = [&inputs] { return inputs.watchedTypes; };
    settings.reportPassword = [&inputs] { return inputs.reportPassword; };
    settings.showStatus = [](const std::string&) {};
    settings.signedSites = &signedSites;
    CheckPass().run(false, alone, services, settings);
    const std::lock_guard<std::mutex> guard(lock);
    sites.setCheckOutcome(row, alone.at(0).result, alone.at(0).cache);
}

} // namespace

std::string CheckSitesInParallel(SiteList& sites, int jobs, const ParallelCheckInputs& inputs) {
    std::vector<int> active;
    for (int row = 0; row < sites.size(); ++row) {
        if (sites.at(row).site.active) {
            active.push_back(row);
        }
    }
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    const auto worker = [&] {
        for (std::size_t taken; (taken = next++) < active.size();) {
            CheckOneSite(sites, active[taken], inputs, lock);
        }
    };
    std::vector<std::thread> workers;
    const auto count = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), 1,
                                               std::max<std::size_t>(active.size(), 1));
    for (std::size_t started = 1; started < count; ++started) {
        workers.emplace_back(worker);
    }
    worker(); // this thread works too
    for (std::thread& thread : workers) {
        thread.join();
    }
    CheckSummary summary;
    summary.sites = sites.size();
    for (int row = 0; row < sites.size(); ++row) {
        summary.verdicts.push_back({sites.at(row).site.webUrl, sites.at(row).result.status});
    }
    return summary.statusLine();
}

} // namespace fq
