// SPDX-License-Identifier: MIT
#include "app/clean_journal.h"
#include "fakes/fault_injecting_file_services.h"
#include "fakes/test_app_state.h"
#include "platform/folder_bookmark.h"
#include "scheduling/scheduler.h"
#include "support/small_tmpfs.h"

#include <QSignalSpy>
#include <QTest>
#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using test::FileOperation;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

class AppStateTest : public ::testing::Test {
protected:
    fs::path file(const std::string& name) { return home.writeFile(home.desktop() / name); }
    void waitUntilIdle() { app.waitUntilIdle(); }
    void clean(CleanTrigger trigger) { app.clean(trigger); }
    void undo() { app.undo(); }
    std::size_t journalCount() const {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(state.journalFolder()))
            count += CleanJournal::isJournalName(entry.path().filename()) ? 1 : 0;
        return count;
    }
    void waitForCounts() {
        QSignalSpy counted(&state, &AppState::countsChanged);
        ASSERT_TRUE(counted.wait(10'000));
    }

    PosixFileServices files;
    test::FaultInjectingFileServices faults{files};
    test::TestAppState app{&faults};
    test::PrivateHome& home = app.home;
    AppSettings& settings = app.settings;
    HistoryStore& history = app.history;
    test::FakeNotifier& notifier = app.notifier;
    test::FakeLoginItem& loginItem = app.loginItem;
    test::FakeFileViewer& fileViewer = app.fileViewer;
    test::FakeUrlOpener& urlOpener = app.urlOpener;
    test::FakeFolderChooser& folderChooser = app.folderChooser;
    AppState& state = app.state;
};

TEST_F(AppStateTest, aCleanIsRecordedStampedAndShownAndASecondOneWaits) {
    file("a.txt");
    file("b.txt");
    state.cleanNow(CleanTrigger::manual);
    EXPECT_TRUE(state.isWorking());
    EXPECT_EQ(state.statusMessage(), "Cleaning\u2026");
    state.cleanNow(CleanTrigger::manual);
    state.undoLastClean();
    waitUntilIdle();

    ASSERT_EQ(history.records().size(), 1u);
    const auto record = history.records()[0];
    EXPECT_EQ(record.moved.size(), 2u);
    EXPECT_EQ(state.statusMessage(), "2 items moved");
    ASSERT_TRUE(settings.lastRun());
    // The history keeps whole seconds.
    EXPECT_EQ(
        settings.lastRun()->toSecsSinceEpoch(),
        std::chrono::duration_cast<std::chrono::seconds>(record.date.time_since_epoch()).count());
    EXPECT_EQ(journalCount(), 0u);
    EXPECT_THAT(notifier.posts(), IsEmpty()) << "a manual clean posts nothing";
    // The archive as last used: a later clean makes it again only on this device.
    ASSERT_TRUE(settings.destinationBookmark());
    EXPECT_TRUE(FolderBookmark::names(settings.destinationBookmark()->toStdString(),
                                      settings.resolvedDestination()));
}

TEST_F(AppStateTest, aScheduledCleanThatMovedSomethingSaysSo) {
    file("a.txt");
    clean(CleanTrigger::scheduled);
    ASSERT_EQ(notifier.posts().size(), 1u);
    EXPECT_EQ(notifier.posts()[0].title, "Desktop cleaned");
    EXPECT_EQ(notifier.posts()[0].body, "1 item moved to Desktop Archive.");

    clean(CleanTrigger::scheduled);
    EXPECT_EQ(notifier.posts().size(), 1u) << "nothing moved, nothing posted";
    EXPECT_EQ(history.records().size(), 2u);
    EXPECT_EQ(state.statusMessage(), "Nothing to move");

    file("b.txt");
    settings.setShowNotifications(false);
    clean(CleanTrigger::scheduled);
    EXPECT_EQ(notifier.posts().size(), 1u);
}

TEST_F(AppStateTest, theNotificationNamesTheArchiveTheCleanUsed) {
    file("a.txt");
    file("b.txt");
    const auto chosen = home.makeFolder("Elsewhere/New Archive");
    folderChooser.answer(chosen);
    state.cleanNow(CleanTrigger::scheduled);
    // Chosen while the clean runs, whether or not it has moved anything yet.
    state.chooseDestination();
    waitUntilIdle();
    ASSERT_EQ(notifier.posts().size(), 1u);
    EXPECT_EQ(notifier.posts()[0].body, "2 items moved to Desktop Archive.");
    EXPECT_THAT(history.records()[0].moved[0].newPath, StartsWith(home.archive().native()))
        << "the clean kept the folder it started with";
}

TEST_F(AppStateTest, aFailedCleanShowsItsErrorAddsNoRecordButStampsTheAttempt) {
    file("a.txt");
    state.refreshCounts();
    waitForCounts();
    ASSERT_EQ(state.pendingCount(), 1);
    faults.setDesktopDirectory(std::nullopt);
    clean(CleanTrigger::scheduled);
    EXPECT_EQ(state.statusMessage(), "Could not find your Desktop folder.");
    EXPECT_THAT(history.records(), IsEmpty());
    EXPECT_TRUE(settings.lastRun());
    EXPECT_EQ(state.pendingCount(), 1);
    EXPECT_THAT(notifier.posts(), IsEmpty());
}

TEST_F(AppStateTest, aRunWhoseRecordCannotBeSavedSaysSoAndItsJournalRecoversIt) {
    file("a.txt");
    const auto putFolderInPlace = [&] {
        fs::remove(history.fileURL());
        fs::create_directory(history.fileURL());
    };
    putFolderInPlace();
    clean(CleanTrigger::manual);
    EXPECT_EQ(state.statusMessage(),
              "1 item moved, but the history could not be saved (Is a directory)");
    EXPECT_EQ(journalCount(), 1u) << "the journal still covers the run";

    fs::remove(history.fileURL());
    file("b.txt");
    clean(CleanTrigger::manual);
    EXPECT_EQ(state.statusMessage(), "1 item moved");
    EXPECT_EQ(HistoryStore(history.fileURL().parent_path()).records().size(), 2u);
    EXPECT_EQ(journalCount(), 0u);

    putFolderInPlace();
    undo();
    EXPECT_EQ(state.statusMessage(),
              "Nothing was put back: the history could not be saved (Is a directory)");
    EXPECT_FALSE(fs::exists(home.desktop() / "b.txt")) << "an undo that cannot be recorded waits";
}

TEST_F(AppStateTest, anUndoFirstRecoversTheRunAKilledCleanLeftInItsJournal) {
    file("old.txt");
    clean(CleanTrigger::manual);
    // A clean killed right after moving "new.txt": only its journal tells of it.
    const fs::path source = home.desktop() / "new.txt";
    const fs::path target = home.writeFile(home.archive() / "Killed/new.txt");
    CleanRecord header;
    header.id = Uuid::random();
    header.date = std::chrono::system_clock::now();
    {
        auto journal = CleanJournal::begin(state.journalFolder());
        ASSERT_TRUE(journal);
        journal.value()->cleanStarted(header, 1);
        journal.value()->itemWillMove(source, target);
    }
    undo();
    EXPECT_TRUE(fs::exists(source));
    EXPECT_FALSE(fs::exists(home.desktop() / "old.txt")) << "the run before it stays done";
    ASSERT_EQ(history.records().size(), 2u);
    EXPECT_EQ(history.records()[0].id, header.id);
    EXPECT_TRUE(history.records()[0].undone);
    EXPECT_EQ(journalCount(), 0u);
}

TEST_F(AppStateTest, aCleanWhoseJournalCannotBeWrittenMovesNothingFurther) {
    test::SmallTmpfs disk(state.journalFolder());
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    for (int i = 0; i < 100; ++i)
        file("a rather long name, so that the journal needs more than one page " +
             std::to_string(i));
    disk.fill();
    clean(CleanTrigger::manual);
    EXPECT_EQ(state.statusMessage(),
              "Nothing was moved: Sorvane could not write its journal (No space left on device).");
    EXPECT_EQ(std::distance(fs::directory_iterator(home.desktop()), {}), 100);

    disk.empty();
    disk.fill(4096); // room for the journal's first lines only
    clean(CleanTrigger::manual);
    EXPECT_THAT(state.statusMessage().toStdString(),
                testing::EndsWith("but the history could not be saved (No space left on device)"));
    ASSERT_EQ(history.records().size(), 1u);
    const auto record = history.records()[0];
    EXPECT_EQ(record.errors.back(),
              "Stopped: Sorvane could not write its journal (No space left on device).");
    EXPECT_LT(record.moved.size(), 100u);
    EXPECT_EQ(record.moved.size() + static_cast<std::size_t>(
                                        std::distance(fs::directory_iterator(home.desktop()), {})),
              100u);
}

TEST_F(AppStateTest, anUndoPutsBackWhatItCanAndKeepsTheRestUndoable) {
    file("a.txt");
    file("b.txt");
    clean(CleanTrigger::manual);
    const auto record = history.records()[0];
    faults.failOn(FileOperation::moveItem, record.moved[0].newPath, EIO);
    undo();
    EXPECT_EQ(state.statusMessage(), "Put 1 item back, 1 could not be restored");
    ASSERT_TRUE(history.lastUndoable());
    EXPECT_EQ(history.record(history.lastUndoable()->id)->moved, std::vector{record.moved[0]});

    faults.clearFaults();
    undo();
    EXPECT_EQ(state.statusMessage(), "Put 1 item back on the desktop");
    EXPECT_TRUE(history.records()[0].undone);
    EXPECT_FALSE(history.lastUndoable());

    undo();
    EXPECT_EQ(state.statusMessage(), "Put 1 item back on the desktop") << "nothing to undo";
}

TEST_F(AppStateTest, anUndoOfItemsThatAreGoneSaysNothingCameBack) {
    file("a.txt");
    file("b.txt");
    clean(CleanTrigger::manual);
    const auto record = history.records()[0];
    for (const auto& item : record.moved)
        fs::remove(item.newPath);
    undo();
    EXPECT_EQ(state.statusMessage(), "Nothing could be put back, 2 failed");
    EXPECT_EQ(AppState::undoMessage(0, 0), "Put 0 items back on the desktop");
}

TEST_F(AppStateTest, aDesktopThatCannotBeReadIsNotCountedAsClear) {
    file("a.txt");
    faults.failOn(FileOperation::listDirectory, home.desktop(), EACCES);
    state.refreshCounts();
    waitForCounts();
    EXPECT_EQ(state.pendingCount(), 0);
    EXPECT_EQ(state.countsProblem(), "Could not read your Desktop folder.");
    faults.clearFaults();
    state.refreshCounts();
    waitForCounts();
    EXPECT_EQ(state.pendingCount(), 1);
    EXPECT_TRUE(state.countsProblem().isEmpty());
}

// A command prints its result and exits: a recount of the Desktop after its clean would only
// hold up the exit.
TEST_F(AppStateTest, aCleanWhoseCountsNobodyShowsListsTheDesktopOnce) {
    file("a.txt");
    state.setCountsShown(false);
    clean(CleanTrigger::manual);
    QTest::qWait(100);
    EXPECT_EQ(faults.callCount(FileOperation::listDirectory), 1);
    EXPECT_EQ(state.statusMessage(), "1 item moved");
}

TEST_F(AppStateTest, onlyTheNewestRefreshIsShown) {
    file("a.txt");
    file(".hidden-one");
    QSignalSpy counted(&state, &AppState::countsChanged);
    state.refreshCounts();
    settings.setIncludeHidden(true);
    state.refreshCounts();
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted.count() > 0; }, 10'000));
    QTest::qWait(100);
    EXPECT_EQ(counted.count(), 1);
    EXPECT_EQ(state.pendingCount(), 2);
}

TEST_F(AppStateTest, theLoginToggleShowsWhatTheSystemReports) {
    state.setLaunchAtLogin(true);
    EXPECT_TRUE(state.launchAtLogin());
    state.setLaunchAtLogin(false);
    EXPECT_FALSE(state.launchAtLogin());

    loginItem.failWith("Could not write the autostart entry: No space left on device.", false);
    QSignalSpy toggled(&state, &AppState::launchAtLoginChanged);
    state.setLaunchAtLogin(true);
    EXPECT_FALSE(state.launchAtLogin());
    EXPECT_EQ(toggled.count(), 1) << "the toggle springs back";
    EXPECT_EQ(state.statusMessage(),
              "Could not write the autostart entry: No space left on device.");
}

TEST_F(AppStateTest, choosingAFolderStoresItEverywhere) {
    const auto chosen = home.makeFolder("Archives/Mine");
    folderChooser.answer(chosen);
    state.chooseDestination();
    ASSERT_EQ(folderChooser.requests().size(), 1u);
    EXPECT_EQ(folderChooser.requests()[0].title, "Choose where cleaned files go");
    EXPECT_EQ(folderChooser.requests()[0].acceptLabel, "Use This Folder");
    EXPECT_EQ(folderChooser.requests()[0].startIn, home / "Documents");
    EXPECT_EQ(settings.resolvedDestination(), chosen);
    EXPECT_EQ(settings.destinationPath(), QString::fromStdString(chosen.native()));
    EXPECT_TRUE(settings.destinationBookmark());
    EXPECT_TRUE(app.preferences.boolean("hasCompletedSetup"));
    EXPECT_EQ(state.statusMessage(), "Archive folder set to Mine");

    folderChooser.answer(std::nullopt);
    state.chooseDestination();
    EXPECT_EQ(settings.resolvedDestination(), chosen) << "cancelling changes nothing";
}

TEST_F(AppStateTest, revealingAMissingArchiveShowsItsNearestExistingParent) {
    fs::remove(home.archive().parent_path());
    state.revealArchive();
    EXPECT_EQ(fileViewer.shown().back(), home.path()) << "no Documents folder yet either";
    EXPECT_EQ(state.statusMessage(), "Desktop Archive is created on the first clean.");

    settings.setResolvedDestination("/nonexistent-sorvane-test/a/b/Archive");
    state.revealArchive();
    EXPECT_EQ(fileViewer.shown().back(), "/");

    fs::create_directories(home.archive());
    settings.setResolvedDestination(home.archive());
    state.revealArchive();
    EXPECT_EQ(fileViewer.shown().back(), home.archive());
}

TEST_F(AppStateTest, theTipPageOpensInTheBrowser) {
    state.openTip();
    ASSERT_EQ(urlOpener.opened().size(), 1u);
    EXPECT_EQ(urlOpener.opened()[0].toString(), "https://sorvane.app/tip");
}

TEST_F(AppStateTest, finishingWorkLetsTheCleanRecordWhatItMovedFirst) {
    for (int i = 0; i < 200; ++i)
        file("item " + std::to_string(i));
    state.cleanNow(CleanTrigger::manual);
    bool finished = false;
    state.finishWork([&] { finished = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10'000));
    ASSERT_EQ(history.records().size(), 1u);
    const auto record = history.records()[0];
    EXPECT_EQ(record.errors.back(), "Stopped: Sorvane was quit before the clean finished.");
    std::size_t archived = 0;
    for (const auto& folder : fs::directory_iterator(settings.resolvedDestination()))
        archived += static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    EXPECT_EQ(record.moved.size(), archived);
    EXPECT_EQ(journalCount(), 0u);
}

TEST_F(AppStateTest, startingCountsTheDesktopAndStartsTheSchedulerAndTheUpdater) {
    file("a.txt");
    QSignalSpy counted(&state, &AppState::countsChanged);
    state.start();
    EXPECT_TRUE(state.scheduler().isStarted());
    EXPECT_TRUE(state.updater().hasStarted());
    ASSERT_TRUE(counted.wait(10'000));
    EXPECT_EQ(state.pendingCount(), 1);
    EXPECT_FALSE(state.isWorking()) << "automatic cleaning is off";
    EXPECT_THAT(history.records(), IsEmpty());
}

TEST_F(AppStateTest, aRunMissedWhileNotRunningIsCaughtUpRightAfterStart) {
    file("a.txt");
    settings.setAgentEnabled(true);
    settings.setLastRun(QDateTime::currentDateTimeUtc().addDays(-2));
    state.start();
    EXPECT_FALSE(state.isWorking()) << "the clean starts after start has returned";
    ASSERT_TRUE(QTest::qWaitFor([&] { return history.records().size() == 1; }, 10'000));
    EXPECT_EQ(history.records()[0].trigger, CleanTrigger::scheduled);
    waitUntilIdle();
    ASSERT_EQ(notifier.posts().size(), 1u);
    EXPECT_EQ(notifier.posts()[0].body, "1 item moved to Desktop Archive.");
}

TEST_F(AppStateTest, theStateForwardsChangesOfSettingsAndHistory) {
    QSignalSpy changed(&state, &AppState::changed);
    settings.setRunHour(7);
    history.clear();
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
} // namespace sorvane
