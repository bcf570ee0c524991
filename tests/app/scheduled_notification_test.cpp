#include "app/app_state.h"
#include "app/updater_view_model.h"
#include "fakes/fake_file_viewer.h"
#include "fakes/fake_folder_chooser.h"
#include "fakes/fake_login_item.h"
#include "fakes/fake_notification_server.h"
#include "fakes/fake_url_opener.h"
#include "fakes/memory_preferences_store.h"
#include "fakes/recording_update_presenter.h"
#include "history/history_store.h"
#include "platform/dbus_notifier.h"
#include "platform/posix_file_services.h"
#include "platform/updater.h"
#include "settings/app_settings.h"
#include "support/private_bus_test.h"
#include "support/private_home.h"

namespace sorvane {
namespace {

// A scheduled clean, end to end: the engine moves a file, the state records it, and the
// notification reaches a notification server on a real (private) session bus.
class ScheduledNotificationTest : public test::PrivateBusTest {};

TEST_F(ScheduledNotificationTest, aScheduledCleanThatMovedAFileIsAnnouncedOnTheBus) {
    test::PrivateHome home;
    home.writeFile(home.desktop() / "report.pdf");
    test::FakeNotificationServer server({QStringLiteral("body"), QStringLiteral("body-markup")});
    ASSERT_TRUE(server.start(this->server));

    PosixFileServices files;
    MemoryPreferencesStore preferences;
    AppSettings settings{preferences};
    HistoryStore history{home / "data"};
    DbusNotifier notifier(client);
    test::FakeLoginItem loginItem;
    test::FakeFileViewer fileViewer;
    test::FakeUrlOpener urlOpener;
    test::FakeFolderChooser folderChooser;
    test::RecordingUpdatePresenter presenter;
    auto now = [] {
        return std::chrono::system_clock::now();
    };
    Updater updater{preferences, presenter, QVersionNumber(1, 0, 0), now,
                    Updater::defaultOptions()};
    UpdaterViewModel updaterModel{updater, now};
    AppState state(settings, history, updaterModel, files,
                   {notifier, loginItem, fileViewer, urlOpener, folderChooser});

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
