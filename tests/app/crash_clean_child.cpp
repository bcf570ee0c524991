// A journaled clean of the Desktop of $HOME into the archive given as the first argument,
// journaled in the folder given as the second,
// that kills itself with SIGKILL at its N-th step (N the third argument; 0 never): each
// file-system change, journal entry and stop question counts as one. Without a kill it
// writes how many steps there were into the file given as the fourth argument.
#include "app/clean_journal.h"
#include "engine/desktop_cleaner.h"
#include "fakes/fault_injecting_file_services.h"
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
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override {
        m_journal.itemWillMove(source, target);
        step();
    }
    bool transferStepped(const TransferStep& transfer) override {
        const bool written = m_journal.transferStepped(transfer);
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return 2;
    killAt = std::atol(argv[3]);
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
