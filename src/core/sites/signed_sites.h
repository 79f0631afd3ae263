#pragma once

#include <set>
#include <string>

namespace fq {

inline constexpr const char* kSignedSitesFileName = "signed-sites.txt";

// The sites whose script has answered the signed listing. Such a site is never asked the
// old way again, which would send the password: if its answer later fails, it reads
// "No report". Kept in a file of its own, one address per line, so that the site file keeps
// its format and a restart forgets nothing.
class SignedSites {
public:
    enum class Keeping { kInFile, kInMemory };

    // Reads `path`; a missing or unreadable file knows no site. Sites added later are written
    // to it, or kept in memory only.
    explicit SignedSites(std::string path, Keeping keeping = Keeping::kInFile);

    [[nodiscard]] bool contains(const std::string& webUrl) const;
    // Adds the site and rewrites the file. A failed write is silent: the site is still known
    // until the program ends.
    void add(const std::string& webUrl);

private:
    std::string path_;
    Keeping keeping_;
    std::set<std::string> sites_;
};

} // namespace fq
