// SPDX-License-Identifier: MIT
#include "app/job_observer.h"

#include <algorithm>

namespace sorvane {

JobObserver::JobObserver(CleanObserver* journal, Progress progress, const std::atomic<bool>& stop)
    : m_journal(journal), m_progress(std::move(progress)), m_stop(stop) {}

void JobObserver::foldersChosen(const std::filesystem::path& desktop,
                                const std::filesystem::path& archive) {
    if (m_journal)
        m_journal->foldersChosen(desktop, archive);
}

bool JobObserver::transfersStepped(std::span<const TransferStep> steps) {
    return !m_journal || m_journal->transfersStepped(steps);
}

void JobObserver::cleanStarted(const CleanRecord& header, std::size_t itemCount) {
    if (m_journal)
        m_journal->cleanStarted(header, itemCount);
    m_total = itemCount;
    report(0, itemCount);
}

void JobObserver::scanFinished(const CleanRecord& header, std::size_t itemCount) {
    if (m_journal)
        m_journal->scanFinished(header, itemCount);
    m_total = itemCount;
    report(std::min(m_done, m_total), m_total);
}

void JobObserver::movesPlanned(const std::vector<PlannedMove>& moves) {
    if (m_journal)
        m_journal->movesPlanned(moves);
}

void JobObserver::itemWillMove(const std::filesystem::path& source,
                               const std::filesystem::path& target) {
    if (m_journal)
        m_journal->itemWillMove(source, target);
}

void JobObserver::itemMoved(const MovedFile& item) {
    if (m_journal)
        m_journal->itemMoved(item);
    report(std::min(++m_done, m_total), m_total);
}

void JobObserver::errorAdded(const std::string& line) {
    if (m_journal)
        m_journal->errorAdded(line);
    report(std::min(++m_done, m_total), m_total);
}

void JobObserver::undoProgressed(std::size_t done, std::size_t total) {
    report(done, total);
}

void JobObserver::report(std::size_t done, std::size_t total) {
    // Each report crosses to the main thread; one per half percent is plenty for a bar.
    const std::size_t step = total / 200 + 1;
    if (!m_progress || (done != 0 && done != total && done - m_lastReported < step))
        return;
    m_lastReported = done;
    m_progress(done, total);
}

} // namespace sorvane
