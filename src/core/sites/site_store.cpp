#include "core/sites/site_store.h"

#include "core/sites/database_backup.h"
#include "core/sites/new_report_password.h"
#include "core/sites/site_database.h"
#include "core/sites/watched_types.h"

namespace fq {
namespace {

// A save that died half-way left its temporary file this long ago at the least; a younger
// one may belong to a save still in progress.
constexpr std::chrono::seconds kAbandonedSaveAge{60};

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
    writable_ = !file.unreadable();
    if (file.missing() && reportPassword_.empty()) {
        // A database made here gets a password of its own, never a public default.
        reportPassword_ = NewReportPassword();
    }
    if (const auto& database = file.database) {
        watchedTypes_ = watchedTypesAsRead_ = database->watchedTypes;
        reportPassword_ = database->reportPassword;
        sites_.reload(database->sites);
        opened.loaded = true;
    }
    lastRead_ = opened;
    return opened;
}

FileOutcome SiteStore::save() const {
    if (!writable_) {
        return lastRead_.readError;
    }
    return WriteTextFile(path_,
                         FormatSiteDatabase(watchedTypes_, reportPassword_, sites_.storedSites()));
}

FileOutcome SiteStore::exportTo(const std::string& target) const {
    return CopyDatabaseFile(path_, target);
}

FileOutcome SiteStore::importFrom(const std::string& source) {
    const FileOutcome copied = CopyDatabaseFile(source, path_);
    if (copied) {
        static_cast<void>(read());
    }
    return copied;
}

} // namespace fq
