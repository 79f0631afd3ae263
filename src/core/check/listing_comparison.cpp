#include "core/check/listing_comparison.h"

#include "core/check/report_request.h"

#include <unordered_map>

namespace fq {
namespace {

// Often enough that the window stays alive while a large copy is hashed, rarely enough to cost
// nothing.
constexpr std::size_t kFilesBetweenEvents = 256;

} // namespace

std::optional<CheckResult> CompareWithListing(const std::vector<std::string>& localFiles,
                                              const std::string& folder,
                                              const std::vector<ListedFile>& serverFiles,
                                              LocalHashes& hashes, const MessagePump& pump) {
    CheckResult verdict;
    verdict.exchange = Exchange::kSignedListing;
    if (localFiles.empty()) {
        verdict.status = SiteStatus::kNoFolder;
        return verdict;
    }
    std::unordered_map<std::string, const ListedFile*> unmatched;
    for (const ListedFile& file : serverFiles) {
        unmatched.emplace(file.path, &file);
    }
    std::size_t listed = serverFiles.size();
    std::size_t looked = 0;
    for (const std::string& path : localFiles) {
        if (++looked % kFilesBetweenEvents == 0 && !pump()) {
            return std::nullopt;
        }
        if (path == kReportScriptName) {
            continue;
        }
        const auto onServer = unmatched.find(path);
        if (onServer == unmatched.end()) {
            verdict.changes.push_back({path, ChangeKind::kMissingOnServer});
            ++listed;
            continue;
        }
        const ListedFile& remote = *onServer->second;
        unmatched.erase(onServer);
        if (!remote.size) {
            verdict.changes.push_back({path, ChangeKind::kUnreadableOnServer});
            continue;
        }
        const std::optional<LocalHashes::Seen> local = hashes.look(folder + path, *remote.size);
        if (!local) {
            continue;
        }
        if (local->size != *remote.size) {
            verdict.changes.push_back({path, ChangeKind::kSize});
        } else if (local->sha256 && *local->sha256 != remote.sha256) {
            verdict.changes.push_back({path, ChangeKind::kContent});
        }
    }
    for (const ListedFile& file : serverFiles) {
        if (unmatched.contains(file.path)) {
            verdict.changes.push_back({file.path, ChangeKind::kNewOnServer});
        }
    }
    verdict.listedFiles = listed;
    verdict.status = verdict.changedFiles() > 0 ? SiteStatus::kChanged : SiteStatus::kOk;
    return verdict;
}

} // namespace fq
