#include "check/check_schedule.h"

#include <gtest/gtest.h>

using fq::CheckSchedule;

namespace {
constexpr fq::ClockSeconds kStart = 36000; // 10:00:00
}

TEST(CheckSchedule, FirstCheckStrictlyAfterThreeMinutesThenHourly) {
    CheckSchedule schedule;
    EXPECT_FALSE(schedule.Tick(kStart, true));
    EXPECT_EQ(schedule.NextCheckTime(), kStart + 180);
    EXPECT_FALSE(schedule.Tick(kStart + 179, true));
    EXPECT_FALSE(schedule.Tick(kStart + 180, true)); // 10:03:00 is not later than 10:03:00
    EXPECT_TRUE(schedule.Tick(kStart + 181, true));
    EXPECT_EQ(schedule.NextCheckTime(), kStart + 181 + 3600);
    // A tick during that check finds the time already moved.
    EXPECT_FALSE(schedule.Tick(kStart + 182, true));
    EXPECT_FALSE(schedule.Tick(kStart + 181 + 3600, true));
    EXPECT_TRUE(schedule.Tick(kStart + 181 + 3601, true));
}

TEST(CheckSchedule, SwitchedOffChecksAreSkippedWhileTheScheduleAdvances) {
    CheckSchedule schedule;
    schedule.Tick(kStart, false);
    EXPECT_FALSE(schedule.Tick(kStart + 200, false));
    EXPECT_EQ(schedule.NextCheckTime(), kStart + 200 + 3600);
    // Switched on again, it waits for the next mark.
    EXPECT_FALSE(schedule.Tick(kStart + 300, true));
    EXPECT_TRUE(schedule.Tick(kStart + 200 + 3601, true));
}

TEST(CheckSchedule, ManualCheckRestartsTheInterval) {
    CheckSchedule schedule;
    schedule.Tick(kStart, true);
    schedule.ManualCheckEnded(kStart + 1860); // "Check Now" ending at 10:31
    EXPECT_EQ(schedule.NextCheckTime(), kStart + 1860 + 3600);
    EXPECT_FALSE(schedule.Tick(kStart + 181, true));
    EXPECT_TRUE(schedule.Tick(kStart + 1860 + 3601, true));
}
