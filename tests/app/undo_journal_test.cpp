// SPDX-License-Identifier: MIT
#include "app/undo_journal.h"
#include "engine/desktop_cleaner.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"
#include "support/private_home.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>

namespace sorvane {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

class NoObserver : public UndoObserver {
public:
    void undoProgressed(std::size_t, std::size_t) override {}
};

class UndoJournalTest : public ::testing::Test {
protected:
    UndoJournalTest() : history(home.path() / "data") {
        for (const char* name : {"a", "b", "c", "d", "e"})
            home.writeFile(home.desktop() / name, name);
        CleanOptions options;
        options.destination = home.archive();
        options.dateBasis = DateBasis::cleaned;
        history.add(
            std::get<CleanRecord>(DesktopCleaner(files).clean(options, CleanTrigger::manual)));
    }
    CleanRecord record() const { return history.records().front(); }
    MovedFile item(std::size_t index) const { return record().moved.at(index); }
    fs::path onDesktop(std::size_t index) const { return item(index).originalPath; }
    fs::path journalPath() const { return home.path() / "undo.journal"; }
    /// What an undo killed at once would leave: the journal is dropped without `finish`.
    std::unique_ptr<UndoJournal> journal() {
        return UndoJournal::begin(journalPath(), record(), files, observer);
    }
    std::vector<std::string> remainingNames() const {
        std::vector<std::string> names;
        for (const auto& moved : record().moved)
            names.push_back(fs::path(moved.newPath).filename());
        return names;
    }

    test::PrivateHome home;
    PosixFileServices files;
    HistoryStore history;
    NoObserver observer;
};

TEST_F(UndoJournalTest, onlyWhatTheJournalProvesPutBackLeavesTheRecord) {
    ASSERT_EQ(record().moved.size(), 5u);
    {
        auto killed = journal();
        ASSERT_TRUE(killed);
        std::vector<std::optional<FileIdentity>> identities;
        for (const auto& moved : record().moved)
            identities.push_back(files.identity(moved.newPath));
        killed->restoresPlanned(record().moved, identities);
        // a: moved back, killed before it could say so.
        fs::rename(item(0).newPath, onDesktop(0));
        // b: moved back and said so.
        fs::rename(item(1).newPath, onDesktop(1));
        killed->itemRestored(item(1), onDesktop(1));
        // c: copied beside its name, which was taken meanwhile; killed once another was
        // announced, before the copy took it.
        const auto temporary = home.writeFile(home.desktop() / ".sorvane-copy-0000cccc", "c");
        TransferStep copied{
            TransferStep::State::copied, item(2).newPath, temporary, onDesktop(2), {},
            *files.identity(temporary),  nullptr};
        const MovedFile copiedItem = item(2);
        const MovedFile* const copiedItems[] = {&copiedItem};
        killed->restoresStepped(copiedItems, {&copied, 1});
        killed->itemWillRestore(item(2), home.desktop() / "c 2");
        // d: put back, then replaced on the Desktop by something else.
        fs::rename(item(3).newPath, onDesktop(3));
        killed->itemRestored(item(3), onDesktop(3));
        fs::rename(onDesktop(3), home.path() / "elsewhere");
        home.writeFile(onDesktop(3), "another d");
    }
    // e: gone from the archive, but nothing says it was put back.
    fs::remove(item(4).newPath);

    UndoJournal::recoverInto(history, journalPath(), files);
    EXPECT_THAT(remainingNames(), ElementsAre("c", "d", "e"));
    EXPECT_FALSE(fs::exists(home.desktop() / ".sorvane-copy-0000cccc"));
    EXPECT_FALSE(record().undone);
    EXPECT_FALSE(fs::exists(journalPath()));
}

TEST_F(UndoJournalTest, aRecordWhollyPutBackIsMarkedUndoneAndAFinishedJournalIsGone) {
    {
        auto killed = journal();
        for (std::size_t i = 0; i < 5; ++i) {
            killed->itemWillRestore(item(i), onDesktop(i));
            fs::rename(item(i).newPath, onDesktop(i));
        }
    }
    UndoJournal::recoverInto(history, journalPath(), files);
    EXPECT_TRUE(record().undone);

    journal()->finish();
    EXPECT_FALSE(fs::exists(journalPath()));
}

struct Killed {};

/// Passes the undo on to its journal and dies, as if killed, once the emptied dated folder
/// has its info file in the Trash and has not moved there yet.
class KilledBeforeTrashing : public NoObserver {
public:
    explicit KilledBeforeTrashing(UndoJournal& journal) : m_journal(journal) {}
    void itemWillRestore(const MovedFile& item, const fs::path& target) override {
        m_journal.itemWillRestore(item, target);
    }
    void itemRestored(const MovedFile& item, const fs::path& target) override {
        m_journal.itemRestored(item, target);
    }
    bool trashReserved(const TrashReservation& reservation) override {
        m_journal.trashReserved(reservation);
        throw Killed{};
    }

private:
    UndoJournal& m_journal;
};

TEST_F(UndoJournalTest, onlyTheInfoFileOfAFolderThatNeverReachedTheTrashIsRemoved) {
    const fs::path trash = home / ".local/share/Trash";
    const auto dated = fs::path(item(0).newPath).parent_path();
    {
        auto killed = journal();
        // Trashed in full while the journal was open: its info file has its folder.
        ASSERT_TRUE(files.trashItem(home.makeFolder("Arrived"), [&](const auto& reservation) {
            return killed->trashReserved(reservation);
        }));
        KilledBeforeTrashing dying(*killed);
        EXPECT_THROW(DesktopCleaner(files).undo(record(), home.archive(), &dying), Killed);
    }
    ASSERT_TRUE(fs::exists(trash / "info" / (dated.filename().native() + ".trashinfo")));
    home.writeFile(trash / "info/Not ours.trashinfo", "[Trash Info]\nPath=/tmp/x\n");

    UndoJournal::recoverInto(history, journalPath(), files);
    std::set<std::string> infoFiles;
    for (const auto& entry : fs::directory_iterator(trash / "info"))
        infoFiles.insert(entry.path().filename());
    EXPECT_THAT(infoFiles, ElementsAre("Arrived.trashinfo", "Not ours.trashinfo"));
    EXPECT_TRUE(fs::is_directory(trash / "files/Arrived"));
    EXPECT_TRUE(fs::is_directory(dated));
    EXPECT_TRUE(record().undone);
}

} // namespace
} // namespace sorvane
