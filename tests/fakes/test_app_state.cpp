// SPDX-License-Identifier: MIT
#include "fakes/test_app_state.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace sorvane::test {
namespace {
Timestamp now() {
    return std::chrono::system_clock::now();
}
} // namespace

TestAppState::TestAppState(FileServices* fileServices, Notifier* notifierInUse)
    : history(home / "data"),
      updater(preferences, presenter, QVersionNumber(1, 0, 0), now, Updater::defaultOptions()),
      updaterModel(&updater, now),
      state(settings, history, updaterModel, fileServices ? *fileServices : files,
            {notifierInUse ? *notifierInUse : notifier, loginItem, fileViewer, urlOpener,
             folderChooser, wakeMonitor}) {}

void TestAppState::recount() {
    QSignalSpy counted(&state, &AppState::countsChanged);
    state.refreshCounts();
    ASSERT_TRUE(counted.wait(10'000));
}

void TestAppState::putOnDesktop(const std::vector<std::string>& names) {
    for (const auto& name : names)
        home.writeFile(home.desktop() / name);
    recount();
}

void TestAppState::waitUntilIdle() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state.isWorking(); }, 10'000));
    QTest::qWait(0);
}

void TestAppState::clean(CleanTrigger trigger) {
    state.cleanNow(trigger);
    waitUntilIdle();
}

void TestAppState::undo() {
    state.undoLastClean();
    waitUntilIdle();
}

CleanRecord TestAppState::addRun(std::vector<std::string> movedNames, CleanTrigger trigger,
                                 std::vector<std::string> errors, int minutesAgo) {
    CleanRecord record;
    record.id = Uuid::random();
    record.date = std::chrono::system_clock::now() - std::chrono::minutes(minutesAgo);
    record.trigger = trigger;
    for (const auto& name : movedNames)
        record.moved.push_back({Uuid::random(), (home.desktop() / name).string(),
                                (home.archive() / "2025-03 March" / name).string()});
    record.errors = std::move(errors);
    history.add(record);
    return record;
}

} // namespace sorvane::test
