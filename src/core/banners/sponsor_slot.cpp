#include "core/banners/sponsor_slot.h"

namespace fq {

std::optional<std::string> SponsorSlotOf(const std::string& alt) {
    const std::size_t dash = alt.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t next = alt.find('-', dash + 1);
    return alt.substr(dash + 1, next == std::string::npos ? std::string::npos : next - dash - 1);
}

} // namespace fq
