#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/random.h"

namespace vxr::platform {
namespace {

TEST(DayCount, KnownDatesAndTimes) {
    EXPECT_DOUBLE_EQ(dayCountFromCivil({1899, 12, 30}), 0.0);
    EXPECT_DOUBLE_EQ(dayCountFromCivil({1900, 1, 1}), 2.0);
    EXPECT_DOUBLE_EQ(dayCountFromCivil({2000, 1, 1, 12, 0, 0}), 36526.5);
    EXPECT_DOUBLE_EQ(dayCountFromCivil({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_EQ(formatDateTime(36526.5), "2000-1-1 12:00:00");
    EXPECT_EQ(formatDateTime(-1.25), "1899-12-29 6:00:00");
    EXPECT_EQ(formatDateTime(0), "1899-12-30 0:00:00");
}

TEST(DayCount, CivilRoundTripIncludingLeapDaysAndEndOfDayRounding) {
    const CivilTime leap{2024, 2, 29, 23, 59, 59};
    EXPECT_EQ(formatDateTime(dayCountFromCivil(leap)), "2024-2-29 23:59:59");
    const CivilTime t = civilFromDayCount(dayCountFromCivil({2026, 12, 9, 7, 5, 3, 250}));
    EXPECT_EQ(t.year, 2026);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 9);
    EXPECT_EQ(t.hour, 7);
    EXPECT_EQ(t.minute, 5);
    EXPECT_EQ(t.second, 3);
    EXPECT_EQ(t.millisecond, 250);
    EXPECT_EQ(formatDateTime(45000.9999999999), "2023-3-16 0:00:00");  // rounds into the next day
    EXPECT_EQ(formatDateTime(1e300), "1899-12-30 0:00:00");            // nonsense stays harmless
}

TEST(DayCount, SystemClockIsRecent) { EXPECT_GT(systemClock().now(), dayCountFromCivil({2020, 1, 1})); }

TEST(RandomSource, SequenceAndClockDrawsStayInRange) {
    SequenceRandom sequence({3, -1, 200});
    EXPECT_EQ(sequence.below(128), 3);
    EXPECT_EQ(sequence.below(128), 127);
    EXPECT_EQ(sequence.below(128), 72);
    ClockRandom random;
    for (int i = 0; i < 1000; ++i) {
        const int value = random.below(128);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 128);
    }
    EXPECT_EQ(random.below(0), 0);
}

}  // namespace
}  // namespace vxr::platform
