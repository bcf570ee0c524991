// SPDX-License-Identifier: MIT
#include "app/clean_journal.h"
#include "app/interrupted_clean.h"
#include "app/journal_format.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"
#include "support/private_home.h"

#include <chrono>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace sorvane {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

TEST(JournalFormatTest, readsBackWhatItWroteAndPassesOverACutLine) {
    CleanRecord header;
    header.id = Uuid::random();
    header.date = std::chrono::system_clock::now();
    header.trigger = CleanTrigger::scheduled;
    header.skippedCount = 4;
    const MovedFile item{Uuid::random(), "/d/strange\nname \xff",
                         "/a/2025-03 March/strange\nname \xff"};
    std::string text = JournalFormat::header() + JournalFormat::start(header) +
                       JournalFormat::intent(item.originalPath, item.newPath, FileIdentity{7, 42});
    JournalFormat::appendMoved(text, item);
    text += JournalFormat::error("b: could not\nmove") + JournalFormat::intent("/d/c", "/a/c");
    text.pop_back(); // the last line was cut short by a kill

    const auto contents = JournalFormat::parse(text);
    ASSERT_TRUE(contents.header);
    EXPECT_EQ(*contents.header, header);
    EXPECT_THAT(contents.moved, ElementsAre(item));
    EXPECT_THAT(contents.errors, ElementsAre("b: could not\nmove"));
    ASSERT_EQ(contents.intents.size(), 1u);
    EXPECT_EQ(contents.intents[0].source, item.originalPath);
    EXPECT_EQ(contents.intents[0].identity, (FileIdentity{7, 42}));
}

class InterruptedCleanTest : public ::testing::Test {
protected:
    test::PrivateHome home;
    PosixFileServices files;
    HistoryStore history{home / "data"};
    fs::path folder = home / "data";
};

TEST_F(InterruptedCleanTest, aJournalInUseIsNotLeftOverAndEachRunHasItsOwn) {
    auto running = CleanJournal::begin(folder);
    ASSERT_TRUE(running);
    const fs::path journal = running.value()->path();
    EXPECT_FALSE(InterruptedClean::isLeftOver(journal));
    EXPECT_EQ(fs::status(journal).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    {
        auto kept = CleanJournal::begin(folder); // a run whose record could not be saved
        ASSERT_TRUE(kept);
        EXPECT_NE(kept.value()->path(), journal);
        EXPECT_EQ(InterruptedClean::leftovers(folder), std::vector<fs::path>{});
    }
    EXPECT_EQ(InterruptedClean::leftovers(folder).size(), 1u);
    running.value()->finish();
    EXPECT_FALSE(fs::exists(journal));
}

// A batch is announced before any of it moves: an item the user removed meanwhile must not
// claim the file an earlier run left at its planned name.
TEST_F(InterruptedCleanTest, theLastAnnouncedMoveOfAnItemDecidesWhereItWentIfItIsThatItem) {
    home.writeFile("Archive/M/notes.txt", "someone else's");
    home.writeFile("Archive/M/notes 2.txt", "ours");
    home.writeFile("Archive/M/gone.txt", "an earlier run's");
    home.writeFile("Desktop/stayed.txt");
    auto identity = [&](const char* path) {
        return files.resourceValues(home / path).value().identity;
    };
    CleanRecord header;
    header.id = Uuid::random();
    header.skippedCount = 1;
    fs::path journal;
    {
        auto open = CleanJournal::begin(folder);
        auto& j = *open.value();
        journal = j.path();
        // The Desktop was read whole only after the first batch was announced.
        CleanRecord readSoFar = header;
        readSoFar.skippedCount = 0;
        j.cleanStarted(readSoFar, 3);
        j.scanFinished(header, 3);
        j.movesPlanned(
            {{home / "Desktop/gone.txt", home / "Archive/M/gone.txt", FileIdentity{1, 1}},
             {home / "Desktop/notes.txt", home / "Archive/M/notes.txt",
              identity("Archive/M/notes 2.txt")},
             {home / "Desktop/stayed.txt", home / "Archive/M/stayed.txt",
              identity("Desktop/stayed.txt")}});
        j.itemWillMove(home / "Desktop/notes.txt", home / "Archive/M/notes 2.txt");
        j.errorAdded("x: failed");
    } // killed: the journal is closed without being finished

    ASSERT_TRUE(InterruptedClean::recoverInto(history, journal, files));
    ASSERT_EQ(history.records().size(), 1u);
    const auto record = history.records()[0];
    EXPECT_EQ(record.id, header.id);
    EXPECT_EQ(record.skippedCount, 1);
    ASSERT_EQ(record.moved.size(), 1u);
    EXPECT_EQ(record.moved[0].newPath, (home / "Archive/M/notes 2.txt").native());
    EXPECT_THAT(record.errors, ElementsAre("x: failed", "Stopped: the clean was interrupted."));
    EXPECT_FALSE(fs::exists(journal));

    // A journal whose run is in the history already (killed after saving) adds nothing.
    {
        auto open = CleanJournal::begin(folder);
        open.value()->cleanStarted(header, 0);
        journal = open.value()->path();
    }
    EXPECT_FALSE(InterruptedClean::recoverInto(history, journal, files));
    EXPECT_EQ(history.records().size(), 1u);
    EXPECT_FALSE(fs::exists(journal));
}

// A move across file systems killed in each of its states, settled by recovery.
TEST_F(InterruptedCleanTest, aMoveAcrossFileSystemsIsSettledByItsLastState) {
    struct Case {
        TransferStep::State state;
        bool desktopAfter;
        bool copyAfter;
        bool recorded;
        /// Its name was taken before the copy got it: it was to go to another.
        bool retargeted = false;
    };
    const Case cases[] = {
        {TransferStep::State::copying, true, false, false},
        {TransferStep::State::copied, true, false, false},
        {TransferStep::State::copied, true, false, false, true},
        {TransferStep::State::removing, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state) + 10 * c.retargeted);
        const auto desktop = home.desktop();
        const auto archive = home / "Archive";
        const auto original = home.writeFile(desktop / "Folder/a.txt", "a");
        const auto month = archive / "M";
        // The copy sits under its temporary name until `copied`, under its own after.
        const auto temporary = month / ".sorvane-copy-1234abcd";
        const auto target = month / "Folder";
        const auto copy = c.state == TransferStep::State::removing ? target : temporary;
        home.writeFile(copy / "a.txt", "a");
        const auto snapshot = files.snapshotItem(desktop / "Folder").value();
        const auto copied = files.snapshotItem(copy).value();
        TransferStep step{c.state,
                          desktop / "Folder",
                          temporary,
                          target,
                          {snapshot.entries[0].device, snapshot.entries[0].inode},
                          {copied.entries[0].device, copied.entries[0].inode},
                          &snapshot};
        CleanRecord header;
        header.id = Uuid::random();
        fs::path journal;
        {
            auto open = CleanJournal::begin(folder);
            auto& j = *open.value();
            journal = j.path();
            j.foldersChosen(desktop, archive);
            j.cleanStarted(header, 1);
            j.itemWillMove(desktop / "Folder", target);
            j.transfersStepped({&step, 1});
            if (c.retargeted)
                j.itemWillMove(desktop / "Folder", month / "Folder 2");
        }
        const auto record = InterruptedClean::readLeftover(journal, files);
        ASSERT_TRUE(record);
        EXPECT_EQ(fs::exists(original), c.desktopAfter);
        EXPECT_EQ(fs::exists(copy / "a.txt"), c.copyAfter);
        EXPECT_EQ(record->moved.size(), c.recorded ? 1u : 0u);
        EXPECT_THAT(record->errors, ElementsAre("Stopped: the clean was interrupted."));
        fs::remove(journal);
        fs::remove_all(desktop / "Folder");
        fs::remove_all(archive);
    }
}

TEST_F(InterruptedCleanTest, recoveryRemovesNothingOutsideTheRunsFolders) {
    const auto elsewhere = home.writeFile("Elsewhere/.sorvane-copy-1234abcd", "not ours");
    TransferStep step;
    step.source = home.desktop() / "a.txt";
    step.temporary = elsewhere;
    step.target = home / "Archive/M/a.txt";
    fs::path journal;
    {
        auto open = CleanJournal::begin(folder);
        auto& j = *open.value();
        journal = j.path();
        j.foldersChosen(home.desktop(), home / "Archive");
        j.cleanStarted(CleanRecord{}, 1);
        j.itemWillMove(step.source, step.target);
        j.transfersStepped({&step, 1});
    }
    const auto record = InterruptedClean::readLeftover(journal, files);
    ASSERT_TRUE(record);
    EXPECT_TRUE(fs::exists(elsewhere));
    ASSERT_EQ(record->errors.size(), 2u);
    EXPECT_THAT(record->errors[0],
                ::testing::HasSubstr("lies outside the Desktop and the archive"));
}

TEST_F(InterruptedCleanTest, aCleanKilledHalfWayLosesNoRecordOfWhatItMoved) {
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        home.writeFile(home.desktop() / ("file " + std::to_string(i)));
    const auto archive = home.archive();

    const std::string child = SORVANE_JOURNAL_CHILD;
    const std::string archiveArgument = archive.native();
    const std::string journalArgument = folder.native();
    char* argv[] = {const_cast<char*>(child.c_str()), const_cast<char*>(archiveArgument.c_str()),
                    const_cast<char*>(journalArgument.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, child.c_str(), nullptr, nullptr, argv, environ), 0);
    ASSERT_GT(pid, 0);
    // Kill it once it is well under way.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto journalSize = [&]() -> std::uintmax_t {
        std::error_code missing;
        for (const auto& entry : fs::directory_iterator(folder, missing))
            if (CleanJournal::isJournalName(entry.path().filename()))
                return entry.file_size(missing);
        return 0;
    };
    while (std::chrono::steady_clock::now() < deadline && journalSize() < 100'000)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child finished before it could be killed";

    ASSERT_EQ(InterruptedClean::leftovers(folder).size(), 1u);
    InterruptedClean::recoverLeftovers(history, files);
    EXPECT_EQ(InterruptedClean::leftovers(folder).size(), 0u);
    const auto record = history.records().at(0);
    EXPECT_EQ(record.errors.back(), "Stopped: the clean was interrupted.");

    std::set<std::string> archived;
    for (const auto& folder : fs::directory_iterator(archive))
        for (const auto& item : fs::directory_iterator(folder))
            archived.insert(item.path().filename());
    std::set<std::string> recorded;
    for (const auto& item : record.moved)
        recorded.insert(fs::path(item.newPath).filename());
    EXPECT_EQ(recorded, archived);
    EXPECT_GT(archived.size(), 0u);
    EXPECT_LT(archived.size(), static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string name = "file " + std::to_string(i);
        EXPECT_NE(fs::exists(home.desktop() / name), archived.contains(name)) << name;
    }
}

} // namespace
} // namespace sorvane
