// SPDX-License-Identifier: MIT
// A clean of the Desktop of $HOME into the archive given as the first argument, journalled
// in the folder given as the second, slow enough (a little pause per item) to be killed half-way.
#include "app/clean_journal.h"
#include "engine/desktop_cleaner.h"
#include "platform/posix_file_services.h"

#include <chrono>
#include <cstdio>
#include <thread>

using namespace sorvane;

namespace {

class SlowJournal : public CleanObserver {
public:
    explicit SlowJournal(CleanJournal& journal) : m_journal(journal) {}
    void cleanStarted(const CleanRecord& header, std::size_t count) override {
        m_journal.cleanStarted(header, count);
    }
    void movesPlanned(const std::vector<PlannedMove>& moves) override {
        m_journal.movesPlanned(moves);
    }
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override {
        m_journal.itemWillMove(source, target);
    }
    void itemMoved(const MovedFile& item) override {
        m_journal.itemMoved(item);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    void errorAdded(const std::string& line) override { m_journal.errorAdded(line); }

private:
    CleanJournal& m_journal;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    auto journal = CleanJournal::begin(argv[2]);
    if (!journal) {
        std::fprintf(stderr, "%s\n", journal.error().message.c_str());
        return 1;
    }
    SlowJournal slow(*journal.value());
    PosixFileServices files;
    CleanOptions options;
    options.destination = argv[1];
    options.dateBasis = DateBasis::cleaned;
    DesktopCleaner(files).clean(options, CleanTrigger::manual, &slow);
    return 0;
}
