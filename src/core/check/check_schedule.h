#pragma once

#include <cstdint>
#include <optional>

namespace fq {

// Times are whole seconds of the program's clock; every comparison is strict.
using ClockSeconds = std::int64_t;

// Something that falls due `firstDelay` after the first tick, then `interval` after each tick
// that found it due, or after a restart.
class RepeatingDeadline {
public:
    RepeatingDeadline(ClockSeconds firstDelay, ClockSeconds interval)
        : firstDelay_(firstDelay), interval_(interval) {}

    // One timer tick. True when it is due now; the next time then moves ahead before the
    // caller does the work, so a tick that arrives meanwhile finds nothing due.
    bool Tick(ClockSeconds now) {
        if (!next_) {
            next_ = now + firstDelay_;
        }
        if (now <= *next_) {
            return false;
        }
        next_ = now + interval_;
        return true;
    }

    // The work was done by other means at `now`: the next time is a full interval later.
    void Restart(ClockSeconds now) { next_ = now + interval_; }

private:
    ClockSeconds firstDelay_;
    ClockSeconds interval_;
    std::optional<ClockSeconds> next_;
};

// When the scheduled checks run: the first one just after 3 minutes, then every 60 minutes
// from the tick that started the previous one, or from the end of the last manual check.
class CheckSchedule {
public:
    static constexpr ClockSeconds kFirstDelay = 3 * 60;
    static constexpr ClockSeconds kInterval = 60 * 60;

    // True when a scheduled check should run now. The time moves on whether or not checks
    // are switched on.
    bool Tick(ClockSeconds now, bool checksActive) { return deadline_.Tick(now) && checksActive; }

    // A manual check ended at `now`: the next scheduled one is a full interval later.
    void ManualCheckEnded(ClockSeconds now) { deadline_.Restart(now); }

private:
    RepeatingDeadline deadline_{kFirstDelay, kInterval};
};

// When the banners are refreshed: about a second after start, then every three days.
[[nodiscard]] inline RepeatingDeadline BannerSchedule() {
    return RepeatingDeadline(1, 3 * 24 * 60 * 60);
}

} // namespace fq
