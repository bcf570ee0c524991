// SPDX-License-Identifier: MIT
#include "platform/dbus_notifier.h"

#include "fakes/fake_notification_server.h"
#include "support/private_bus_test.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>

namespace sorvane::test {
namespace {

class DbusNotifierTest : public PrivateBusTest {
protected:
    /// Starts `notifications` and waits until the client connection has heard of it, so that
    /// a notifier on that connection has too.
    void startHeard(FakeNotificationServer& notifications) {
        QDBusServiceWatcher watcher(QStringLiteral("org.freedesktop.Notifications"), client,
                                    QDBusServiceWatcher::WatchForRegistration);
        bool heard = false;
        QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered,
                         [&heard] { heard = true; });
        // The watchers' match rules go out asynchronously; a blocking call on the same
        // connection returns only after the bus has read them.
        client.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
        ASSERT_TRUE(notifications.start(server));
        ASSERT_TRUE(waitFor([&] { return heard; }));
    }
};

TEST_F(DbusNotifierTest, NotificationReachesTheServerAsTheProgramsOwn) {
    FakeNotificationServer notifications;
    ASSERT_TRUE(notifications.start(server));
    DbusNotifier notifier(client);

    notifier.post(QStringLiteral("Desktop cleaned"),
                  QStringLiteral("3 items moved to Desktop Archive."));

    ASSERT_TRUE(waitFor([&] { return notifications.notifications().size() == 1; }));
    const auto& shown = notifications.notifications().front();
    EXPECT_EQ(shown.appName, "Sorvane");
    EXPECT_EQ(shown.appIcon, "app.sorvane.Sorvane");
    EXPECT_EQ(shown.replacesId, 0u);
    EXPECT_EQ(shown.summary, "Desktop cleaned");
    EXPECT_EQ(shown.body, "3 items moved to Desktop Archive.");
    EXPECT_TRUE(shown.actions.isEmpty());
    EXPECT_EQ(shown.expireTimeout, -1);
    EXPECT_EQ(shown.hints.value(QStringLiteral("desktop-entry")).toString(), "app.sorvane.Sorvane");
    // The specification types urgency as a byte; servers ignore it in any other type.
    const QVariant urgency = shown.hints.value(QStringLiteral("urgency"));
    EXPECT_EQ(urgency.metaType().id(), QMetaType::UChar);
    EXPECT_EQ(urgency.toInt(), 1);
}

TEST_F(DbusNotifierTest, BodyIsEscapedOnlyForServersThatReadMarkup) {
    const QString body = QStringLiteral("2 items moved to Tom & Jerry <old>.");
    struct Case {
        QStringList capabilities;
        QString expected;
    } cases[] = {
        {{QStringLiteral("body"), QStringLiteral("body-markup")},
         QStringLiteral("2 items moved to Tom &amp; Jerry &lt;old&gt;.")},
        {{QStringLiteral("body")}, body},
        {{}, body},
    };
    for (const Case& c : cases) {
        FakeNotificationServer notifications(c.capabilities);
        ASSERT_TRUE(notifications.start(server));
        DbusNotifier notifier(client);
        notifier.post(QStringLiteral("Desktop cleaned"), body);
        ASSERT_TRUE(waitFor([&] { return notifications.notifications().size() == 1; }));
        EXPECT_EQ(notifications.notifications().front().body, c.expected)
            << c.capabilities.join(',').toStdString();
        EXPECT_EQ(notifications.notifications().front().summary, "Desktop cleaned");
    }
}

TEST_F(DbusNotifierTest, PostsWaitForTheCapabilitiesWithoutBlockingAndKeepTheirOrder) {
    FakeNotificationServer notifications({QStringLiteral("body")});
    notifications.hold();
    ASSERT_TRUE(notifications.start(server));
    DbusNotifier notifier(client);

    QElapsedTimer timer;
    timer.start();
    notifier.post(QStringLiteral("first"), QStringLiteral("a & b"));
    notifier.post(QStringLiteral("second"), QStringLiteral("c < d"));
    EXPECT_LT(timer.elapsed(), 500);

    ASSERT_TRUE(waitFor([&] { return notifications.capabilityRequests() == 1; }));
    QTest::qWait(100);
    EXPECT_TRUE(notifications.notifications().empty()) << "sent before the server's answer";

    notifications.release();
    ASSERT_TRUE(waitFor([&] { return notifications.notifications().size() == 2; }));
    EXPECT_EQ(notifications.notifications()[0].summary, "first");
    EXPECT_EQ(notifications.notifications()[0].body, "a & b");
    EXPECT_EQ(notifications.notifications()[1].summary, "second");
    EXPECT_EQ(notifications.notifications()[1].body, "c < d");

    notifier.post(QStringLiteral("third"), QStringLiteral("e"));
    ASSERT_TRUE(waitFor([&] { return notifications.notifications().size() == 3; }));
    EXPECT_EQ(notifications.capabilityRequests(), 1);
}

TEST_F(DbusNotifierTest, MissingServerIsSilentAndALaterOneIsUsed) {
    DbusNotifier notifier(client);
    QElapsedTimer timer;
    timer.start();
    notifier.post(QStringLiteral("Desktop cleaned"), QStringLiteral("lost"));
    EXPECT_LT(timer.elapsed(), 500);
    QTest::qWait(200);

    // The session's notification daemon often starts after programs started at login.
    FakeNotificationServer notifications({QStringLiteral("body-markup")});
    startHeard(notifications);
    notifier.post(QStringLiteral("Desktop cleaned"), QStringLiteral("found & shown"));
    ASSERT_TRUE(waitFor([&] { return !notifications.notifications().empty(); }));
    EXPECT_EQ(notifications.notifications().back().body, "found &amp; shown");
    EXPECT_EQ(notifications.capabilityRequests(), 1);
}

TEST(DbusNotifierNoBusTest, WithoutASessionBusPostsAreDropped) {
    DbusNotifier notifier(QDBusConnection(QStringLiteral("never-connected")));
    QElapsedTimer timer;
    timer.start();
    notifier.post(QStringLiteral("Desktop cleaned"), QStringLiteral("1 item moved to A."));
    notifier.post(QStringLiteral("Desktop cleaned"), QStringLiteral("2 items moved to A."));
    EXPECT_LT(timer.elapsed(), 500);
    QTest::qWait(100); // the failed calls come back through the event loop
}

TEST_F(DbusNotifierTest, AnotherServerTakingTheNameIsAskedAgain) {
    DbusNotifier notifier(client);
    {
        FakeNotificationServer plain({QStringLiteral("body")});
        ASSERT_TRUE(plain.start(server));
        notifier.post(QStringLiteral("one"), QStringLiteral("x & y"));
        ASSERT_TRUE(waitFor([&] { return plain.notifications().size() == 1; }));
        EXPECT_EQ(plain.notifications().front().body, "x & y");
    }
    FakeNotificationServer markup({QStringLiteral("body-markup")});
    startHeard(markup);
    notifier.post(QStringLiteral("two"), QStringLiteral("x & y"));
    ASSERT_TRUE(waitFor([&] { return markup.notifications().size() == 1; }));
    EXPECT_EQ(markup.notifications().front().body, "x &amp; y");
    EXPECT_EQ(markup.capabilityRequests(), 1);
}

} // namespace
} // namespace sorvane::test
