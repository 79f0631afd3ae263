#pragma once

#include "core/files/text_file.h"

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace fq {

inline constexpr const char* kDatabaseFileName = "ferquor.ini";
// Between the fields of a line of the file; no stored text may hold it.
inline constexpr const char* kSiteFieldSeparator = "<>";
inline constexpr const char* kDefaultSettingsLine = "php,js,htm,asp<>lark";

// One watched site as the database file keeps it.
struct StoredSite {
    std::string webUrl;
    std::string localFolder;
    bool active = true;

    bool operator==(const StoredSite&) const = default;
};

// What a database file holds: the settings line's two fields and the sites in file order.
struct SiteDatabase {
    std::string watchedTypes;
    std::string reportPassword;
    std::vector<StoredSite> sites;
};

// Reads a database file's text. Empty text (missing, empty or unreadable file) gives nothing,
// so the caller keeps its state. Lines end at CR LF or at a lone LF (the file may have been
// edited with a Unix editor); an empty settings line stands for the default one; site lines
// with an empty first field are skipped; a third field of exactly "1" marks an inactive site.
std::optional<SiteDatabase> ParseSiteDatabase(const std::string& text);

// What reading the database file at a path found.
struct SiteDatabaseFile {
    std::optional<SiteDatabase> database; // nothing when the file is missing, empty or unreadable
    FileOutcome readError;                // ENOENT when there is no file at all

    bool missing() const { return readError.error == ENOENT; }
    // The file is there but could not be read whole: it must not be written over.
    bool unreadable() const { return !readError.ok() && !missing(); }
};

// Reads and parses the database file at `path`.
SiteDatabaseFile ReadSiteDatabaseFile(const std::string& path);

// Writes the database file's text: the settings line, CR LF, then one line per site sorted
// with SortStrings, joined by CR LF. Each address gets a final "/" when it lacks one; an
// inactive site carries "<>1".
std::string FormatSiteDatabase(const std::string& watchedTypes, const std::string& reportPassword,
                               const std::vector<StoredSite>& sites);

} // namespace fq
