// SPDX-License-Identifier: MIT
#include "app/translations.h"
#include "fakes/fake_notification_server.h"
#include "fakes/test_app_state.h"
#include "platform/dbus_notifier.h"
#include "support/private_bus_test.h"

#include <QTest>

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
    EXPECT_TRUE(posted.actions.isEmpty()) << "the server lists no actions";
}

TEST_F(ScheduledNotificationTest, readsGermanInAGermanSession) {
    const Translations german{QLocale(QLocale::German, QLocale::Germany)};
    test::FakeNotificationServer server({QStringLiteral("body"), QStringLiteral("actions")});
    ASSERT_TRUE(server.start(this->server));
    DbusNotifier notifier(client);
    test::TestAppState app(nullptr, &notifier);
    app.home.writeFile(app.home.desktop() / "report.pdf");
    app.home.writeFile(app.home.desktop() / "notes.txt");

    app.state.cleanNow(CleanTrigger::scheduled);
    ASSERT_TRUE(waitFor([&] { return !server.notifications().empty(); }));
    const auto& posted = server.notifications().front();
    EXPECT_EQ(posted.summary, "Schreibtisch aufger\u00E4umt");
    EXPECT_EQ(posted.body, "2 Objekte nach Desktop Archive verschoben.");
    EXPECT_EQ(posted.actions, (QStringList{"0", "R\u00FCckg\u00E4ngig", "1", "Anzeigen"}));
    app.waitUntilIdle();
}

TEST_F(ScheduledNotificationTest, itsActionsShowTheDatedFolderAndUndoThatRunOnly) {
    test::FakeNotificationServer server({QStringLiteral("body"), QStringLiteral("actions")});
    ASSERT_TRUE(server.start(this->server));
    DbusNotifier notifier(client);
    test::TestAppState app(nullptr, &notifier);
    const auto desktop = app.home.desktop();
    app.home.writeFile(desktop / "report.pdf");
    app.home.writeFile(desktop / "notes.txt");

    app.state.cleanNow(CleanTrigger::scheduled);
    ASSERT_TRUE(waitFor([&] { return server.notifications().size() == 1; }));
    app.waitUntilIdle();
    EXPECT_EQ(server.notifications()[0].actions, (QStringList{"0", "Undo", "1", "Show"}));
    const auto moved = app.history.records()[0].moved;
    const auto datedFolder = std::filesystem::path(moved[0].newPath).parent_path();

    server.invokeAction(1, "1");
    ASSERT_TRUE(waitFor([&] { return !app.urlOpener.opened().empty(); }));
    EXPECT_EQ(app.urlOpener.opened()[0].toLocalFile().toStdString(), datedFolder.native());

    // A later run makes the first one no longer the last: its Undo does nothing.
    app.home.writeFile(desktop / "later.txt");
    app.state.cleanNow(CleanTrigger::scheduled);
    ASSERT_TRUE(waitFor([&] { return server.notifications().size() == 2; }));
    app.waitUntilIdle();
    server.invokeAction(1, "0");
    QTest::qWait(200);
    EXPECT_FALSE(std::filesystem::exists(desktop / "report.pdf"));

    server.invokeAction(2, "0");
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(desktop / "later.txt"); }));
    EXPECT_FALSE(std::filesystem::exists(desktop / "report.pdf")) << "only the last run";
}

} // namespace
} // namespace sorvane
