#include "fakes/fake_notification_server.h"
#include "fakes/test_app_state.h"
#include "platform/dbus_notifier.h"
#include "support/private_bus_test.h"

namespace sorvane {
namespace {

// A scheduled clean, end to end: the engine moves a file, the state records it, and the
// notification reaches a notification server on a real (private) session bus.
class ScheduledNotificationTest : public test::PrivateBusTest {};

TEST_F(ScheduledNotificationTest, aScheduledCleanThatMovedAFileIsAnnouncedOnTheBus) {
    test::FakeNotificationServer server({QStringLiteral("body"), QStringLiteral("body-markup")});
    ASSERT_TRUE(server.start(this->server));
    DbusNotifier notifier(client);
    test::TestAppState app(nullptr, &notifier);
    app.home.writeFile(app.home.desktop() / "report.pdf");
    auto& state = app.state;

    state.cleanNow(CleanTrigger::scheduled);
    ASSERT_TRUE(waitFor([&] { return !server.notifications().empty(); }));
    const auto& posted = server.notifications().front();
    EXPECT_EQ(posted.appName, "Sorvane");
    EXPECT_EQ(posted.summary, "Desktop cleaned");
    EXPECT_EQ(posted.body, "1 item moved to Desktop Archive.");
    EXPECT_EQ(posted.hints.value("desktop-entry").toString(), "app.sorvane.Sorvane");
}

} // namespace
} // namespace sorvane
