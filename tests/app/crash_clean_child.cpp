// SPDX-License-Identifier: MIT
// A journaled clean of the Desktop of $HOME into the archive given as the first argument,
// journaled in the folder given as the second,
// that kills itself with SIGKILL at its N-th step (N the third argument; 0 never): each
// file-system change, journal entry and stop question counts as one. Without a kill it
// writes how many steps there were into the file given as the fourth argument.
// With "undo" as a fifth argument it undoes instead the newest run of the history in the
// journals' folder, journaled there as the application does, and counts the same way.
#include "app/clean_journal.h"
#include "app/undo_journal.h"
#include "engine/desktop_cleaner.h"
#include "fakes/fault_injecting_file_services.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"

#include <csignal>
#include <cstdlib>
#include <fstream>

using namespace sorvane;

namespace {

long steps = 0;
long killAt = 0;

void step() {
    if (++steps == killAt)
        raise(SIGKILL);
}

class CountingJournal : public CleanObserver {
public:
    explicit CountingJournal(CleanJournal& journal) : m_journal(journal) {}
    void foldersChosen(const std::filesystem::path& desktop,
                       const std::filesystem::path& archive) override {
        m_journal.foldersChosen(desktop, archive);
    }
    void cleanStarted(const CleanRecord& header, std::size_t count) override {
        m_journal.cleanStarted(header, count);
        step();
    }
    void movesPlanned(const std::vector<PlannedMove>& moves) override {
        m_journal.movesPlanned(moves);
        step();
    }
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override {
        m_journal.itemWillMove(source, target);
        step();
    }
    bool transfersStepped(std::span<const TransferStep> transfers) override {
        const bool written = m_journal.transfersStepped(transfers);
        step();
        return written;
    }
    void itemMoved(const MovedFile& item) override {
        m_journal.itemMoved(item);
        step();
    }
    void errorAdded(const std::string& line) override { m_journal.errorAdded(line); }
    bool shouldStop() override {
        step();
        return false;
    }

private:
    CleanJournal& m_journal;
};

class CountingUndo : public UndoObserver {
public:
    void setJournal(UndoJournal& journal) { m_journal = &journal; }
    void undoProgressed(std::size_t, std::size_t) override { step(); }
    bool shouldStop() override {
        step();
        return false;
    }
    void restoresPlanned(std::span<const MovedFile> items,
                         std::span<const std::optional<FileIdentity>> identities) override {
        m_journal->restoresPlanned(items, identities);
        step();
    }
    void itemWillRestore(const MovedFile& item, const std::filesystem::path& target) override {
        m_journal->itemWillRestore(item, target);
        step();
    }
    void itemRestored(const MovedFile& item, const std::filesystem::path& target) override {
        m_journal->itemRestored(item, target);
        step();
    }
    bool restoresStepped(std::span<const MovedFile* const> items,
                         std::span<const TransferStep> steps) override {
        const bool written = m_journal->restoresStepped(items, steps);
        step();
        return written;
    }
    bool trashReserved(const TrashReservation& reservation) override {
        const bool written = m_journal->trashReserved(reservation);
        step();
        return written;
    }

private:
    UndoJournal* m_journal = nullptr;
};

int undo(FileServices& files, const std::filesystem::path& archive,
         const std::filesystem::path& journals) {
    HistoryStore history(journals);
    if (history.records().empty())
        return 1;
    const CleanRecord record = history.records().front();
    CountingUndo counting;
    auto journal =
        UndoJournal::begin(journals / "undo-in-progress.journal", record, files, counting);
    if (!journal)
        return 1;
    counting.setJournal(*journal);
    const auto result = DesktopCleaner(files).undo(record, archive, &counting);
    const auto saved = result.remaining.empty()
                           ? history.markUndone(record.id)
                           : history.recordPartialUndo(record.id, result.remaining);
    if (!saved)
        return 1;
    journal->finish();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6)
        return 2;
    killAt = std::atol(argv[3]);
    if (argc == 6) {
        PosixFileServices real;
        test::FaultInjectingFileServices files(real);
        files.afterEachChange(step);
        const int code = undo(files, argv[1], argv[2]);
        std::ofstream(argv[4]) << steps;
        return code;
    }
    auto journal = CleanJournal::begin(argv[2]);
    if (!journal)
        return 1;
    CountingJournal counting(*journal.value());
    PosixFileServices real;
    test::FaultInjectingFileServices files(real);
    files.afterEachChange(step);
    CleanOptions options;
    options.destination = argv[1];
    options.dateBasis = DateBasis::cleaned;
    // A minute ahead, so that the items just made for the test are not busy.
    const auto later = [] {
        return std::chrono::system_clock::now() + std::chrono::minutes(1);
    };
    DesktopCleaner(files, later).clean(options, CleanTrigger::manual, &counting);
    std::ofstream(argv[4]) << steps;
    return 0;
}
