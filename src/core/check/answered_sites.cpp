#include "core/check/answered_sites.h"

#include "core/files/text_file.h"
#include "core/text/path_text.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace fq {

AnsweredSites::AnsweredSites(std::string path) : path_(std::move(path)) {
    for (const std::string& line : SplitText(ReadTextFile(path_), "\n")) {
        const std::size_t space = line.find(' ');
        if (space == std::string::npos) {
            continue;
        }
        unsigned passes = 0; // no sign: a count below 0 does not read
        const char* countEnd = line.data() + space;
        const auto [stop, error] = std::from_chars(line.data(), countEnd, passes);
        if (error != std::errc() || stop != countEnd) {
            continue;
        }
        silentPasses_[line.substr(space + 1)] = passes;
    }
}

std::vector<std::string> AnsweredSites::record(const std::vector<SiteVerdict>& verdicts,
                                               bool scheduled) {
    const std::map<std::string, unsigned> before = silentPasses_;
    std::vector<std::string> silent; // once each, even when two rows share an address
    for (const SiteVerdict& verdict : verdicts) {
        if (verdict.status == SiteStatus::kOk || verdict.status == SiteStatus::kChanged) {
            silentPasses_[verdict.webUrl] = 0;
        } else if (verdict.status == SiteStatus::kNoReport && scheduled &&
                   std::ranges::find(silent, verdict.webUrl) == silent.end()) {
            silent.push_back(verdict.webUrl);
            // Counting stops where the alert begins, so a long silence rewrites nothing.
            const auto known = silentPasses_.find(verdict.webUrl);
            if (known != silentPasses_.end() && known->second < kSilentPassesToAlert) {
                ++known->second;
            }
        }
    }
    if (silentPasses_ != before) {
        write();
    }
    std::erase_if(silent, [this](const std::string& webUrl) {
        const auto known = silentPasses_.find(webUrl);
        return known == silentPasses_.end() || known->second < kSilentPassesToAlert;
    });
    return silent;
}

void AnsweredSites::keepOnly(const std::vector<StoredSite>& sites) {
    std::set<std::string> listed;
    for (const StoredSite& site : sites) {
        listed.insert(site.webUrl);
    }
    if (std::erase_if(silentPasses_,
                      [&listed](const auto& known) { return !listed.contains(known.first); }) > 0) {
        write();
    }
}

void AnsweredSites::write() const {
    std::string text;
    for (const auto& [webUrl, passes] : silentPasses_) {
        text += std::to_string(passes) + " " + webUrl + "\n";
    }
    static_cast<void>(WriteTextFile(path_, text)); // silent: see the header
}

} // namespace fq
