#include "core/sites/signed_sites.h"

#include "core/files/text_file.h"
#include "core/text/path_text.h"

namespace fq {

SignedSites::SignedSites(std::string path, Keeping keeping)
    : path_(std::move(path)), keeping_(keeping) {
    for (const std::string& line : SplitText(ReadTextFile(path_), "\n")) {
        if (!line.empty()) {
            sites_.insert(line);
        }
    }
}

bool SignedSites::contains(const std::string& webUrl) const {
    return sites_.contains(webUrl);
}

void SignedSites::add(const std::string& webUrl) {
    if (!sites_.insert(webUrl).second || keeping_ == Keeping::kInMemory) {
        return;
    }
    std::string text;
    for (const std::string& site : sites_) {
        text += site + "\n";
    }
    static_cast<void>(WriteTextFile(path_, text)); // silent: see the header
}

} // namespace fq
