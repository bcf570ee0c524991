// SPDX-License-Identifier: MIT
#include "fakes/fake_login_manager.h"
#include "fakes/memory_preferences_store.h"
#include "platform/wake_monitor.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"
#include "support/scoped_environment.h"

#include <QDateTime>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

Timestamp at(const QDateTime& date) {
    return Timestamp(std::chrono::milliseconds(date.toMSecsSinceEpoch()));
}

QDateTime toDateTime(Timestamp time) {
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count(),
        Qt::UTC);
}

/// A wall time in Berlin, worked out by Qt's own time-zone code rather than ICU's.
Timestamp berlin(int year, int month, int day, int hour, int minute, int second = 0) {
    return at(QDateTime(QDate(year, month, day), QTime(hour, minute, second),
                        QTimeZone("Europe/Berlin")));
}

Timestamp utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return at(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
}

class SchedulerTest : public ::testing::Test {
protected:
    SchedulerTest() {
        m_env.set("TZ", "Europe/Berlin");
        m_env.set("LC_ALL", "en_US.UTF-8");
        m_settings.setAgentEnabled(true);
        m_scheduler.setOnFire([this] { ++fires; });
        m_scheduler.setOnTick([this] { ++ticks; });
    }

    void setLastRun(Timestamp time) { m_settings.setLastRun(toDateTime(time)); }

    test::ScopedEnvironment m_env;
    MemoryPreferencesStore m_store;
    AppSettings m_settings{m_store};
    Timestamp now = berlin(2025, 6, 10, 12, 0);
    SuspendDetector::Reading clocks{};
    WakeMonitor m_wake{[this] {
        return clocks;
    }};
    Scheduler m_scheduler{m_settings, [this] { return now; }, m_wake};
    int fires = 0;
    int ticks = 0;
};

TEST_F(SchedulerTest, ARunIsDueFromItsMinuteOnAndNotBefore) {
    setLastRun(berlin(2025, 6, 9, 9, 0, 20));
    now = berlin(2025, 6, 10, 8, 59);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 6, 10, 9, 0));
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 0);
    EXPECT_EQ(m_scheduler.statusText(), "Next clean in 1 minute");

    now = berlin(2025, 6, 10, 9, 0, 0);
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 1);
    EXPECT_EQ(m_scheduler.statusText(), "Due now");
}

TEST_F(SchedulerTest, BeforeTheFirstCleanTheRunComesAsTheClockPassesItsMinute) {
    struct Case {
        const char* name;
        bool switchedOnLater;
        Timestamp due;
    };
    for (const auto& entry : {Case{"running since before 9:00", false, berlin(2025, 6, 10, 9, 0)},
                              Case{"switched on at 9:30", true, berlin(2025, 6, 11, 9, 0)}}) {
        SCOPED_TRACE(entry.name);
        m_settings.setLastRun(std::nullopt);
        now = berlin(2025, 6, 10, 8, 58);
        fires = 0;
        m_scheduler.start();
        if (entry.switchedOnLater) {
            m_settings.setAgentEnabled(false);
            now = berlin(2025, 6, 10, 9, 30);
            m_settings.setAgentEnabled(true);
        }
        // The clock advances a minute per evaluation, across the run's minute.
        for (now = berlin(2025, 6, 10, 8, 59); fires == 0 && now < berlin(2025, 6, 12, 0, 0);
             now += 1min) {
            m_scheduler.evaluate();
            if (now < entry.due) {
                ASSERT_EQ(fires, 0) << "fired before its minute";
            }
        }
        EXPECT_EQ(fires, 1);
        EXPECT_EQ(now - 1min, entry.due);
        m_scheduler.stop();
    }
}

TEST_F(SchedulerTest, MissedRunsAreCaughtUpOnceTheLastRunIsStamped) {
    setLastRun(berlin(2025, 6, 8, 9, 0, 10));
    now = berlin(2025, 6, 10, 15, 0);
    m_scheduler.evaluate();
    m_scheduler.evaluate();
    m_scheduler.evaluate();
    // Every look fires until the clean stamps its time; the application ignores the extra
    // fires while the clean runs.
    EXPECT_EQ(fires, 3);

    setLastRun(now + 20s);
    now += 1min;
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 3);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 6, 11, 9, 0));
    EXPECT_EQ(m_scheduler.statusText(), "Next clean in 17 hours");
}

TEST_F(SchedulerTest, WeeklyRunsOnTheirWeekday) {
    m_settings.setFrequency(ScheduleFrequency::weekly);
    m_settings.setWeekday(2);                // Monday
    setLastRun(berlin(2025, 3, 3, 9, 0, 5)); // a Monday
    now = berlin(2025, 3, 10, 9, 0, 30);
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 1);
    EXPECT_EQ(m_scheduler.statusText(), "Due now");

    setLastRun(now);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 3, 17, 9, 0));
    m_settings.setWeekday(1); // Sunday
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 3, 16, 9, 0));
    m_settings.setWeekday(7); // Saturday
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 3, 15, 9, 0));
}

TEST_F(SchedulerTest, TheNextRunLiesStrictlyAfterTheLastOne) {
    setLastRun(berlin(2025, 6, 10, 9, 0, 0));
    now = berlin(2025, 6, 10, 9, 0, 0);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 6, 11, 9, 0));
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 0);
}

TEST_F(SchedulerTest, ALastRunInTheFutureCountsFromNow) {
    // The clock was set back after the last clean.
    setLastRun(berlin(2025, 6, 20, 9, 0, 20));
    now = berlin(2025, 6, 10, 8, 0);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 6, 10, 9, 0));
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 0);

    // Without any last run, nothing is caught up either.
    m_settings.setLastRun(std::nullopt);
    now = berlin(2025, 6, 10, 9, 30);
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 6, 11, 9, 0));
}

TEST_F(SchedulerTest, WithAutomaticCleaningOffOnlyTheTickHookRuns) {
    m_settings.setAgentEnabled(false);
    setLastRun(berlin(2025, 6, 1, 9, 0));
    EXPECT_FALSE(m_scheduler.nextRunDate(now));
    m_scheduler.evaluate();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(fires, 0);
    EXPECT_EQ(m_scheduler.statusText(), "Automatic cleaning is off");
}

TEST_F(SchedulerTest, ValuesOutsideTheirRangeMatchNoDayInsteadOfRollingOver) {
    setLastRun(berlin(2025, 6, 1, 9, 0));
    const auto expectNoRun = [this] {
        EXPECT_FALSE(m_scheduler.nextRunDate(now));
        m_scheduler.evaluate();
        EXPECT_EQ(fires, 0);
        EXPECT_EQ(m_scheduler.statusText(), m_settings.scheduleDescription());
    };
    m_settings.setRunHour(25);
    expectNoRun();
    m_settings.setRunHour(-1);
    expectNoRun();
    m_settings.setRunHour(9);
    m_settings.setRunMinute(61);
    expectNoRun();
    m_settings.setRunMinute(0);
    m_settings.setFrequency(ScheduleFrequency::weekly);
    m_settings.setWeekday(9);
    expectNoRun();
    m_settings.setWeekday(0);
    expectNoRun();
    // The weekday counts only for weekly runs.
    m_settings.setFrequency(ScheduleFrequency::daily);
    EXPECT_TRUE(m_scheduler.nextRunDate(now));
}

TEST_F(SchedulerTest, ATimeInsideTheSpringForwardGapRunsWhenTheGapEnds) {
    m_settings.setRunHour(2);
    m_settings.setRunMinute(30);
    now = utc(2025, 3, 29, 23, 30); // 00:30 CET on 30 March
    EXPECT_EQ(m_scheduler.nextRunDate(now), berlin(2025, 3, 30, 3, 0));
    EXPECT_EQ(m_scheduler.nextRunDate(now), utc(2025, 3, 30, 1, 0));

    // After that run, the next is at 02:30 again, now in summer time.
    setLastRun(utc(2025, 3, 30, 1, 0, 5));
    now = utc(2025, 3, 30, 1, 1);
    EXPECT_EQ(m_scheduler.nextRunDate(now), utc(2025, 3, 31, 0, 30));
}

TEST_F(SchedulerTest, ATimeThatOccursTwiceRunsAtTheFirstAndOnlyOnce) {
    m_settings.setRunHour(2);
    m_settings.setRunMinute(30);
    now = utc(2025, 10, 25, 22, 0);                                    // 00:00 CEST on 26 October
    EXPECT_EQ(m_scheduler.nextRunDate(now), utc(2025, 10, 26, 0, 30)); // 02:30 CEST

    // Run at the first 02:30; the second one (01:30 UTC) is not a new run.
    setLastRun(utc(2025, 10, 26, 0, 30, 0));
    now = utc(2025, 10, 26, 1, 40);
    EXPECT_EQ(m_scheduler.nextRunDate(now), utc(2025, 10, 27, 1, 30)); // 02:30 CET
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 0);
}

TEST_F(SchedulerTest, DaysAreCalendarDaysNotTwentyFourHours) {
    setLastRun(berlin(2025, 3, 29, 9, 0));
    EXPECT_EQ(m_scheduler.nextRunDate(berlin(2025, 3, 30, 12, 0)), berlin(2025, 3, 30, 9, 0));
    EXPECT_EQ(m_scheduler.nextRunDate(berlin(2025, 3, 30, 12, 0)), utc(2025, 3, 30, 7, 0));
    setLastRun(berlin(2025, 10, 25, 9, 0));
    EXPECT_EQ(m_scheduler.nextRunDate(berlin(2025, 10, 26, 12, 0)), utc(2025, 10, 26, 8, 0));
}

TEST_F(SchedulerTest, EachEvaluationFollowsTheHostTimeZone) {
    m_env.set("TZ", "UTC");
    setLastRun(utc(2025, 6, 9, 9, 0, 20));
    now = utc(2025, 6, 10, 8, 30);
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 0);

    // The laptop arrived in Tokyo: 09:00 there was 00:00 UTC. Nothing told ICU.
    ::setenv("TZ", "Asia/Tokyo", 1);
    m_scheduler.evaluate();
    EXPECT_EQ(fires, 1);
}

TEST_F(SchedulerTest, StartingTwiceLeavesOneTimerAndOneWakeObserver) {
    m_settings.setAgentEnabled(false);
    m_scheduler.start();
    EXPECT_EQ(ticks, 1); // an evaluation at once
    m_scheduler.start();
    EXPECT_EQ(ticks, 2);

    const QList<QTimer*> timers = m_scheduler.findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_TRUE(timers.front()->isActive());
    EXPECT_EQ(timers.front()->intervalAsDuration(), 60s);
    EXPECT_EQ(timers.front()->timerType(), Qt::VeryCoarseTimer);
    EXPECT_TRUE(m_wake.isStarted());

    emit m_wake.woke();
    EXPECT_EQ(ticks, 3);

    m_scheduler.stop();
    EXPECT_FALSE(timers.front()->isActive());
    EXPECT_FALSE(m_wake.isStarted());
    emit m_wake.woke();
    EXPECT_EQ(ticks, 3);
}

TEST_F(SchedulerTest, ATickEvaluatesOnceWhetherOrNotTheClocksShowASleep) {
    m_scheduler.start();
    ASSERT_EQ(ticks, 1);
    clocks.monotonic += 60s;
    clocks.boottime += 60s;
    clocks.wall += 60s;
    m_scheduler.tick();
    EXPECT_EQ(ticks, 2);

    // Eight hours asleep: the boot-time clock ran on, the monotonic one did not.
    clocks.monotonic += 60s;
    clocks.boottime += 8h;
    clocks.wall += 8h;
    m_scheduler.tick();
    EXPECT_EQ(ticks, 3);
}

TEST_F(SchedulerTest, LogindReportingAResumeOnTheSystemBusEvaluatesTheSchedule) {
    test::FakeLoginManager logind(QString::fromLocal8Bit(qgetenv("DBUS_SYSTEM_BUS_ADDRESS")));
    ASSERT_TRUE(logind.isConnected());
    setLastRun(berlin(2025, 6, 8, 9, 0));
    m_scheduler.start();
    m_scheduler.start();
    ASSERT_TRUE(m_wake.isListeningToLogind());
    ASSERT_EQ(fires, 2);
    test::FakeLoginManager::settleSystemBus();

    logind.prepareForSleep(false);
    EXPECT_TRUE(QTest::qWaitFor([this] { return fires == 3; }, 10000));
}

} // namespace
} // namespace sorvane
