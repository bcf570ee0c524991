// SPDX-License-Identifier: MIT
#include "engine/desktop_cleaner.h"

#include "engine/undo_run.h"
#include "platform/timestamp.h"

namespace sorvane {

DesktopCleaner::DesktopCleaner(FileServices& files, Clock now)
    : m_files(files), m_now(now ? std::move(now) : Clock(systemClock)) {}

CleanPreview DesktopCleaner::preview(const CleanOptions& options) const {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return {};
    const auto result = DesktopScan(m_files, m_now).scan(*desktop, options);
    return result ? result.value().preview() : CleanPreview{};
}

std::variant<CleanPreview, CleanError> DesktopCleaner::examine(const CleanOptions& options) const {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return CleanError::noDesktop();
    if (auto problem = DesktopScan::placeProblem(*desktop, options))
        return *problem;
    const auto result = DesktopScan(m_files, m_now).scan(*desktop, options);
    if (!result)
        return CleanError::desktopUnreadable();
    return result.value().preview();
}

ItemVerdict DesktopCleaner::classify(const DirectoryEntry& item,
                                     const CleanOptions& options) const {
    return DesktopScan(m_files, m_now).classify(item, options);
}

CleanResult DesktopCleaner::clean(const CleanOptions& options, CleanTrigger trigger,
                                  CleanObserver* observer) const {
    return CleanRun(m_files, m_now, options, trigger, observer).run();
}

UndoResult DesktopCleaner::undo(const CleanRecord& record, const std::filesystem::path& archive,
                                UndoObserver* observer,
                                const std::optional<std::string>& archiveBookmark) const {
    return UndoRun(m_files, m_now, observer).run(record, archive, archiveBookmark);
}

} // namespace sorvane
