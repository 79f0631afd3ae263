#pragma once

#include <string>

namespace fq {

inline constexpr std::size_t kNewReportPasswordLength = 12;

// A fresh password for a database this program creates: kNewReportPasswordLength letters and
// digits drawn from the system's random source, so no two installations share a known one.
[[nodiscard]] std::string NewReportPassword();

} // namespace fq
