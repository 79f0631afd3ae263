#pragma once

#include "core/check/check_pass.h"
#include "core/sites/site_database.h"

#include <map>
#include <string>
#include <vector>

namespace fq {

inline constexpr const char* kAnsweredSitesFileName = "answered-sites.txt";

// The sites whose script has answered a check ("OK" or "Changed"), each with the scheduled
// passes in a row that have found it "No report" since. Whoever breaks into a site can delete
// its script, and a site that only turns "No report" would otherwise go unnoticed. Kept in a
// file of its own, one site a line ("<passes> <address>"), so that the site file keeps its
// format and a restart forgets nothing.
class AnsweredSites {
public:
    // Silent on this many scheduled passes in a row, a site that answered before alerts; one
    // such pass may be a passing fault of the network.
    static constexpr unsigned kSilentPassesToAlert = 2;

    // Reads `path`; a missing or unreadable file, and any line that does not read, know no
    // site. Changes are written to it.
    explicit AnsweredSites(std::string path);

    // Notes the verdicts of one pass. An answer ends a site's silence, on any pass; "No report"
    // counts for a site that answered before, on scheduled passes only; "No folder" says
    // nothing of the server and changes nothing. Returns the sites of a scheduled pass that
    // are now silent on kSilentPassesToAlert passes in a row, in verdict order; nothing for a
    // manual pass. A failed write is silent: the counts are still known until the program
    // ends.
    std::vector<std::string> record(const std::vector<SiteVerdict>& verdicts, bool scheduled);
    // Forgets every site whose address is not in `sites`: a site removed or re-addressed
    // starts again as one that never answered.
    void keepOnly(const std::vector<StoredSite>& sites);

private:
    void write() const;

    std::string path_;
    std::map<std::string, unsigned> silentPasses_; // by address
};

} // namespace fq
