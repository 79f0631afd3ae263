#pragma once

#include "core/files/text_file.h"
#include "core/sites/site_list.h"

#include <string>

namespace fq {

// How opening the site file went.
struct [[nodiscard]] SiteFileOpened {
    bool loaded = false;         // the file held a database, which the store now holds
    FileOutcome readError;       // ENOENT: there is no file yet; any other: the file is kept
    bool passwordMadeUp = false; // the file gave no password; the store made one up, unsaved

    bool missing() const { return readError.error == ENOENT; }
    // The file is there but could not be read whole, so it is never written over.
    bool unreadable() const { return !readError.ok() && !missing(); }
};

// The site file ("ferquor.ini") and what it holds: the site list, the watched types, the
// report password. Texts stay the bytes that were read until the program sets others.
class SiteStore {
public:
    explicit SiteStore(std::string path);

    const std::string& path() const { return path_; }
    SiteList& sites() { return sites_; }
    const SiteList& sites() const { return sites_; }

    // The watched types to save and to check with; at first the default list.
    const std::string& watchedTypes() const { return watchedTypes_; }
    // The watched types as the file gave them, so that a box showing them can hand back
    // these very bytes while the user leaves it alone.
    const std::string& watchedTypesAsRead() const { return watchedTypesAsRead_; }
    void setWatchedTypes(std::string types) { watchedTypes_ = std::move(types); }

    const std::string& reportPassword() const { return reportPassword_; }
    void setReportPassword(std::string password) { reportPassword_ = std::move(password); }

    // False while the file exists but could not be read: saving over it would lose its sites.
    bool writable() const { return !lastRead_.unreadable(); }

    // Removes the temporary files that an interrupted save left a while ago, then reads the
    // file: sites, watched types and password replace what the store holds. A missing file
    // leaves them. A file that could not be read whole leaves them too and is not written over
    // until it is opened again. A store left without a password (a first run, an empty file or
    // an empty password in it) gets a fresh random one.
    SiteFileOpened open();
    // What the last open() or completed importFrom() found.
    const SiteFileOpened& lastRead() const { return lastRead_; }

    // Writes the whole file from what the store holds, sites in the file's order, readable by
    // this user only when it is made. While the file is kept (see writable()) nothing is
    // written and the read error is returned.
    [[nodiscard]] FileOutcome save();
    // save() would write other bytes than the file holds, as last read or saved.
    bool unsaved() const;

    // Copies the file as last saved to `target`; unsaved changes stay out of the copy.
    [[nodiscard]] FileOutcome exportTo(const std::string& target) const;

    // Copies `source` over the file and reads it back. A copy that fails changes nothing, in
    // the file or in the store.
    [[nodiscard]] FileOutcome importFrom(const std::string& source);

private:
    SiteFileOpened read();

    std::string path_;
    SiteList sites_;
    std::string watchedTypes_;
    std::string watchedTypesAsRead_;
    std::string reportPassword_;
    SiteFileOpened lastRead_;
    std::string saved_; // what the file holds as save() would write it; "" for no database
};

} // namespace fq
