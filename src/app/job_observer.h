// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_observer.h"

#include <atomic>
#include <functional>

namespace sorvane {

/// Hears a background clean or undo on its own thread: passes each step on to a journal,
/// reports progress, and tells the run to stop when the program is asked to quit.
class JobObserver : public CleanObserver, public UndoObserver {
public:
    using Progress = std::function<void(std::size_t done, std::size_t total)>;

    /// `journal` may be null. `progress` is called at most a few hundred times per run,
    /// however many items it has.
    JobObserver(CleanObserver* journal, Progress progress, const std::atomic<bool>& stop);

    void foldersChosen(const std::filesystem::path& desktop,
                       const std::filesystem::path& archive) override;
    void cleanStarted(const CleanRecord& header, std::size_t itemCount) override;
    void scanFinished(const CleanRecord& header, std::size_t itemCount) override;
    bool transfersStepped(std::span<const TransferStep> steps) override;
    void movesPlanned(const std::vector<PlannedMove>& moves) override;
    void itemWillMove(const std::filesystem::path& source,
                      const std::filesystem::path& target) override;
    void itemMoved(const MovedFile& item) override;
    void errorAdded(const std::string& line) override;
    void undoProgressed(std::size_t done, std::size_t total) override;
    /// True when the program is asked to quit, or when the journal can no longer keep up.
    bool shouldStop() override { return m_stop.load() || (m_journal && m_journal->shouldStop()); }

private:
    void report(std::size_t done, std::size_t total);

    CleanObserver* m_journal;
    Progress m_progress;
    const std::atomic<bool>& m_stop;
    std::size_t m_total = 0;
    std::size_t m_done = 0;
    std::size_t m_lastReported = 0;
};

} // namespace sorvane
