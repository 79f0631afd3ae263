#include "core/sites/site_store.h"

#include "core/sites/new_report_password.h"
#include "core/sites/site_database.h"
#include "core/sites/watched_types.h"

#include <sys/stat.h>

namespace fq {
namespace {

// A save that died half-way left its temporary file this long ago at the least; a younger
// one may belong to a save still in progress.
constexpr std::chrono::seconds kAbandonedSaveAge{60};
// The site file and its copies hold the report password.
constexpr mode_t kSiteFileMode = 0600;

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Copies `source` over `target` through a temporary file that replaces it, so a failed copy
// leaves both whole. A file copied onto itself stays as it is.
FileOutcome CopyWhole(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) {
        return {};
    }
    FileOutcome outcome;
    const auto content = ReadWholeFile(source, &outcome);
    return content ? WriteTextFile(target, *content, kSiteFileMode) : outcome;
}

} // namespace

SiteStore::SiteStore(std::string path)
    : path_(std::move(path)), watchedTypes_(kDefaultWatchedTypes),
      watchedTypesAsRead_(kDefaultWatchedTypes) {}

SiteFileOpened SiteStore::open() {
    RemoveAbandonedTemporaryFiles(path_, kAbandonedSaveAge);
    return read();
}

SiteFileOpened SiteStore::read() {
    SiteFileOpened opened;
    const SiteDatabaseFile file = ReadSiteDatabaseFile(path_);
    opened.readError = file.readError;
    if (const auto& database = file.database) {
        watchedTypes_ = watchedTypesAsRead_ = database->watchedTypes;
        reportPassword_ = database->reportPassword;
        sites_.reload(database->sites);
        opened.loaded = true;
        saved_ = FormatSiteDatabase(watchedTypes_, reportPassword_, sites_.storedSites());
    } else {
        saved_.clear();
    }
    // A database gets a password of its own, never a public default: the script would answer
    // anybody with an empty one.
    if (reportPassword_.empty()) {
        reportPassword_ = NewReportPassword();
        opened.passwordMadeUp = true;
    }
    lastRead_ = opened;
    return opened;
}

FileOutcome SiteStore::save() {
    if (!writable()) {
        return lastRead_.readError;
    }
    std::string content = FormatSiteDatabase(watchedTypes_, reportPassword_, sites_.storedSites());
    const FileOutcome written = WriteTextFile(path_, content, kSiteFileMode);
    if (written) {
        saved_ = std::move(content);
    }
    return written;
}

bool SiteStore::unsaved() const {
    return FormatSiteDatabase(watchedTypes_, reportPassword_, sites_.storedSites()) != saved_;
}

FileOutcome SiteStore::exportTo(const std::string& target) const {
    return CopyWhole(path_, target);
}

FileOutcome SiteStore::importFrom(const std::string& source) {
    const FileOutcome copied = CopyWhole(source, path_);
    if (copied) {
        static_cast<void>(read());
    }
    return copied;
}

} // namespace fq
