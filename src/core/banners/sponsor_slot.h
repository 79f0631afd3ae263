#pragma once

#include <optional>
#include <string>

namespace fq {

// The slot number that a sponsor page element's "alt" ("ID-SLOT") names: the text after the
// first "-" up to the next one. Nothing when the alt has no "-".
[[nodiscard]] std::optional<std::string> SponsorSlotOf(const std::string& alt);

} // namespace fq
