// SPDX-License-Identifier: MIT
#pragma once

#include "app/app_state.h"
#include "fakes/fake_file_viewer.h"
#include "fakes/fake_folder_chooser.h"
#include "fakes/fake_login_item.h"
#include "fakes/fake_notifier.h"
#include "fakes/fake_url_opener.h"
#include "fakes/memory_preferences_store.h"
#include "fakes/recording_update_presenter.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"
#include "platform/wake_monitor.h"
#include "settings/app_settings.h"
#include "support/private_home.h"
#include "updates/updater.h"
#include "updates/updater_view_model.h"

#include <string>
#include <vector>

namespace sorvane::test {

/// A whole application state over a private home and fake desktop services, as the views
/// see the real one.
class TestAppState {
public:
    /// `fileServices` and `notifierInUse`, when given, stand in for the real file services
    /// and the recording notifier (a fault-injecting file system, a notifier on a bus).
    explicit TestAppState(FileServices* fileServices = nullptr, Notifier* notifierInUse = nullptr);

    /// Puts files on the Desktop and waits until the state has counted them.
    void putOnDesktop(const std::vector<std::string>& names);
    /// Counts the Desktop again and waits for the result.
    void recount();
    /// Runs a clean through the state and waits until it has been recorded.
    void clean(CleanTrigger trigger = CleanTrigger::manual);
    void waitUntilIdle();
    /// Runs an undo through the state and waits until it has been recorded.
    void undo();
    /// Adds a run to the history as if it had happened: `moved` items named by their archive
    /// paths under the default archive.
    CleanRecord addRun(std::vector<std::string> movedNames, CleanTrigger trigger,
                       std::vector<std::string> errors = {}, int minutesAgo = 0);

    PrivateHome home;
    PosixFileServices files;
    MemoryPreferencesStore preferences;
    AppSettings settings{preferences};
    HistoryStore history;
    FakeNotifier notifier;
    FakeLoginItem loginItem;
    FakeFileViewer fileViewer;
    FakeUrlOpener urlOpener;
    FakeFolderChooser folderChooser;
    WakeMonitor wakeMonitor;
    RecordingUpdatePresenter presenter;
    Updater updater;
    UpdaterViewModel updaterModel;
    AppState state;
};

} // namespace sorvane::test
