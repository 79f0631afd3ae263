#pragma once

#include <chrono>
#include <cstdint>

namespace fq {

// The wall clock in whole seconds since the epoch.
std::int64_t WholeSecondsNow();

// How long until WholeSecondsNow() is later than `mark`; zero when it already is.
std::chrono::milliseconds TimeUntilPast(std::int64_t mark);

} // namespace fq
