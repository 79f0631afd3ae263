#include "core/sites/site_database.h"

#include "core/sites/sort_strings.h"
#include "core/text/path_text.h"

namespace fq {
namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kInactiveMark = "1";

// The lines of `text`, each ended by CR LF or by a lone LF; a CR elsewhere stays in its line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines = SplitText(text, "\n");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].ends_with('\r')) {
            lines[i].pop_back();
        }
    }
    return lines;
}

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

} // namespace

std::optional<SiteDatabase> ParseSiteDatabase(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::vector<std::string> lines = SplitLines(text);
    const std::string settingsLine = lines.front().empty() ? kDefaultSettingsLine : lines.front();
    const std::vector<std::string> settings = SplitText(settingsLine, kSiteFieldSeparator);

    SiteDatabase database;
    database.watchedTypes = FieldOrEmpty(settings, 0);
    database.reportPassword = FieldOrEmpty(settings, 1);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitText(lines[i], kSiteFieldSeparator);
        if (fields.front().empty()) {
            continue;
        }
        database.sites.push_back(
            {fields.front(), FieldOrEmpty(fields, 1), FieldOrEmpty(fields, 2) != kInactiveMark});
    }
    return database;
}

SiteDatabaseFile ReadSiteDatabaseFile(const std::string& path) {
    SiteDatabaseFile file;
    if (const auto text = ReadWholeFile(path, &file.readError)) {
        file.database = ParseSiteDatabase(*text);
    }
    return file;
}

std::string FormatSiteDatabase(const std::string& watchedTypes, const std::string& reportPassword,
                               const std::vector<StoredSite>& sites) {
    std::vector<std::string> lines;
    lines.reserve(sites.size());
    for (const StoredSite& site : sites) {
        std::string line =
            EnsureTrailing(site.webUrl, '/') + kSiteFieldSeparator + site.localFolder;
        if (!site.active) {
            line += std::string(kSiteFieldSeparator) + kInactiveMark;
        }
        lines.push_back(std::move(line));
    }
    SortStrings(lines, 1);

    std::string content = watchedTypes + kSiteFieldSeparator + reportPassword + kLineBreak;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            content += kLineBreak;
        }
        content += lines[i];
    }
    return content;
}

} // namespace fq
