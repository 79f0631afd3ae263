#include "core/time/clock.h"

#include <thread>

namespace fq {

std::int64_t WholeSecondsNow() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::chrono::milliseconds TimeUntilPast(std::int64_t mark) {
    using namespace std::chrono;
    const auto target = system_clock::time_point(seconds(mark + 1));
    const auto now = system_clock::now();
    if (now >= target) {
        return milliseconds(0);
    }
    return ceil<milliseconds>(target - now);
}

std::int64_t SleepingClock::now() {
    return WholeSecondsNow();
}

void SleepingClock::waitUntilPast(std::int64_t mark) {
    while (WholeSecondsNow() <= mark) {
        std::this_thread::sleep_for(TimeUntilPast(mark));
    }
}

} // namespace fq
