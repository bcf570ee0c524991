// SPDX-License-Identifier: MIT
#include "fakes/fake_login_manager.h"
#include "platform/wake_monitor.h"

#include <QTest>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

/// Counts the test's marker signals arriving on the system-bus connection of this process,
/// the one the monitor listens on.
class MarkerCounter : public QObject {
    Q_OBJECT

public:
    MarkerCounter() {
        QDBusConnection::systemBus().connect(QString(), QStringLiteral("/sorvane/test"),
                                             QStringLiteral("app.sorvane.Test"),
                                             QStringLiteral("Marker"), this, SLOT(count()));
    }
    int received = 0;

public slots:
    void count() { ++received; }
};

class WakeMonitorTest : public ::testing::Test {
protected:
    WakeMonitorTest() {
        QObject::connect(&m_monitor, &WakeMonitor::woke, [this] { ++wakes; });
    }

    /// Sends a marker after whatever the fake sent before and waits for it: all earlier
    /// signals have then been delivered, duplicates included.
    void drain() {
        const int before = m_markers.received;
        m_logind.sendMarker();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_markers.received > before; }, 10000));
        QCoreApplication::processEvents();
    }

    test::FakeLoginManager m_logind{QString::fromLocal8Bit(qgetenv("DBUS_SYSTEM_BUS_ADDRESS"))};
    MarkerCounter m_markers;
    SuspendDetector::Reading clocks{Timestamp(1000s), 50s, 50s};
    WakeMonitor m_monitor{[this] {
        return clocks;
    }};
    int wakes = 0;
};

TEST_F(WakeMonitorTest, AResumeReportedByLogindIsAWakeAndGoingToSleepIsNot) {
    ASSERT_TRUE(m_logind.isConnected());
    m_monitor.start();
    ASSERT_TRUE(m_monitor.isListeningToLogind());
    test::FakeLoginManager::settleSystemBus();

    m_logind.prepareForSleep(true);
    drain();
    EXPECT_EQ(wakes, 0);
    m_logind.prepareForSleep(false);
    drain();
    EXPECT_EQ(wakes, 1);
}

TEST_F(WakeMonitorTest, StartingTwiceSubscribesOnceAndStoppingEndsIt) {
    m_monitor.start();
    m_monitor.start();
    test::FakeLoginManager::settleSystemBus();
    m_logind.prepareForSleep(false);
    drain();
    EXPECT_EQ(wakes, 1);

    m_monitor.stop();
    EXPECT_FALSE(m_monitor.isListeningToLogind());
    test::FakeLoginManager::settleSystemBus();
    m_logind.prepareForSleep(false);
    drain();
    EXPECT_EQ(wakes, 1);
}

TEST_F(WakeMonitorTest, ASleepLogindReportedIsNotReportedAgainByTheClocks) {
    m_monitor.start();
    test::FakeLoginManager::settleSystemBus();
    clocks = {Timestamp(1000s + 8h), 60s, 50s + 8h};
    m_logind.prepareForSleep(false);
    drain();
    EXPECT_EQ(wakes, 1);

    clocks.monotonic += 60s;
    clocks.boottime += 60s;
    clocks.wall += 60s;
    EXPECT_FALSE(m_monitor.checkClocks());
    EXPECT_EQ(wakes, 1);
}

TEST_F(WakeMonitorTest, WithoutLogindTheClocksNoticeTheSleep) {
    m_monitor.start();
    clocks = {Timestamp(1000s + 8h), 110s, 110s + 8h};
    EXPECT_TRUE(m_monitor.checkClocks());
    EXPECT_EQ(wakes, 1);
    clocks.monotonic += 60s;
    clocks.boottime += 60s;
    clocks.wall += 60s;
    EXPECT_FALSE(m_monitor.checkClocks());
    EXPECT_EQ(wakes, 1);
}

} // namespace
} // namespace sorvane

#include "wake_monitor_test.moc"
