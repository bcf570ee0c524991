// SPDX-License-Identifier: MIT
#include "platform/suspend_detector.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

SuspendDetector::Reading reading(std::chrono::seconds wall, std::chrono::seconds monotonic,
                                 std::chrono::seconds boottime) {
    return {Timestamp(wall), monotonic, boottime};
}

TEST(SuspendDetectorTest, TheFirstReadingOnlySetsTheBaseline) {
    SuspendDetector detector;
    EXPECT_FALSE(detector.observe(reading(1000s, 50s, 900s)));
    EXPECT_FALSE(detector.observe(reading(1060s, 110s, 960s)));
}

TEST(SuspendDetectorTest, TimeSpentSuspendedCountsAsAWake) {
    SuspendDetector detector;
    detector.observe(reading(1000s, 50s, 50s));
    // The monotonic clock stood still for an hour; the wall clock was corrected later.
    EXPECT_TRUE(detector.observe(reading(1060s, 110s, 3710s)));
    EXPECT_FALSE(detector.observe(reading(1120s, 170s, 3770s)));
    // The two clocks are read one after the other; what lies between is not a sleep.
    EXPECT_FALSE(detector.observe({Timestamp(1180s), 230s, 3830s + 500ms}));
}

TEST(SuspendDetectorTest, AWallClockJumpOfMoreThanTwoMinutesCountsAsAWake) {
    SuspendDetector detector;
    detector.observe(reading(1000s, 50s, 50s));
    EXPECT_FALSE(detector.observe(reading(1180s, 110s, 110s))); // two minutes ahead: NTP
    EXPECT_TRUE(detector.observe(reading(1241s + 120s, 170s, 170s)));
    EXPECT_TRUE(detector.observe(reading(1000s, 230s, 230s))); // set back
}

TEST(SuspendDetectorTest, AResetTakesANewBaselineWithoutReporting) {
    SuspendDetector detector;
    detector.observe(reading(1000s, 50s, 50s));
    detector.reset(reading(5000s, 60s, 4060s));
    EXPECT_FALSE(detector.observe(reading(5060s, 120s, 4120s)));
}

} // namespace
} // namespace sorvane
