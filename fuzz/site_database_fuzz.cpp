// Reads any bytes as a database file. When no field of what was read holds a line break or a
// field separator, writing it and reading that back must give the same settings and sites,
// and writing again must give the same bytes.
#include "core/sites/site_database.h"
#include "core/text/path_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Such a field is written unaltered and cannot read back the same.
bool BreaksTheFormat(const std::string& field) {
    return field.find_first_of("\r\n") != std::string::npos ||
           field.find("<>") != std::string::npos;
}

bool Writable(const fq::SiteDatabase& database) {
    return !BreaksTheFormat(database.watchedTypes) && !BreaksTheFormat(database.reportPassword) &&
           std::none_of(database.sites.begin(), database.sites.end(), [](const fq::StoredSite& s) {
               return BreaksTheFormat(s.webUrl) || BreaksTheFormat(s.localFolder);
           });
}

// The writer sorts the sites, so they are compared as a set with repeats.
std::vector<fq::StoredSite> Sorted(std::vector<fq::StoredSite> sites) {
    std::sort(sites.begin(), sites.end(), [](const fq::StoredSite& a, const fq::StoredSite& b) {
        return std::tie(a.webUrl, a.localFolder, a.active) <
               std::tie(b.webUrl, b.localFolder, b.active);
    });
    return sites;
}

std::string Format(const fq::SiteDatabase& database) {
    return fq::FormatSiteDatabase(database.watchedTypes, database.reportPassword, database.sites);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto database = fq::ParseSiteDatabase(text);
    if (!database || !Writable(*database)) {
        return 0;
    }
    const std::string written = Format(*database);
    const auto reread = fq::ParseSiteDatabase(written);
    if (!reread || reread->watchedTypes != database->watchedTypes ||
        reread->reportPassword != database->reportPassword) {
        __builtin_trap();
    }
    // Every address is written with its final "/".
    std::vector<fq::StoredSite> expected = database->sites;
    for (fq::StoredSite& site : expected) {
        site.webUrl = fq::EnsureTrailing(site.webUrl, '/');
    }
    if (Sorted(expected) != Sorted(reread->sites) || Format(*reread) != written) {
        __builtin_trap();
    }
    return 0;
}
