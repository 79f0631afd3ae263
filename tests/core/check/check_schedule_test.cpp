#include "core/check/check_schedule.h"

#include <gtest/gtest.h>

constexpr fq::ClockSeconds kStart = 36000; // 10:00:00

TEST(CheckSchedule, FirstCheckStrictlyAfterThreeMinutesThenHourly) {
    fq::CheckSchedule schedule;
    EXPECT_FALSE(schedule.Tick(kStart, true));
    EXPECT_FALSE(schedule.Tick(kStart + 180, true)); // 10:03:00 is not later than 10:03:00
    EXPECT_TRUE(schedule.Tick(kStart + 181, true));
    // A tick during that check finds the time already moved.
    EXPECT_FALSE(schedule.Tick(kStart + 182, true));
    EXPECT_FALSE(schedule.Tick(kStart + 181 + 3600, true));
    EXPECT_TRUE(schedule.Tick(kStart + 181 + 3601, true));
}

TEST(CheckSchedule, SwitchedOffOrManualChecksMoveTheNextMark) {
    fq::CheckSchedule off;
    off.Tick(kStart, false);
    EXPECT_FALSE(off.Tick(kStart + 200, false));
    // Switched on again, it waits for the next mark.
    EXPECT_FALSE(off.Tick(kStart + 300, true));
    EXPECT_TRUE(off.Tick(kStart + 200 + 3601, true));

    fq::CheckSchedule manual;
    manual.Tick(kStart, true);
    manual.ManualCheckEnded(kStart + 1860); // "Check Now" ending at 10:31
    EXPECT_FALSE(manual.Tick(kStart + 1860 + 3600, true));
    EXPECT_TRUE(manual.Tick(kStart + 1860 + 3601, true));
}
