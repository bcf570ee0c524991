// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_error.h"
#include "engine/clean_observer.h"
#include "engine/clean_options.h"
#include "engine/clean_preview.h"
#include "engine/clean_run.h"
#include "engine/desktop_scan.h"
#include "engine/undo_result.h"
#include "platform/file_services.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace sorvane {

/// The cleaning engine's entry: what a clean would move, the clean itself and its undo.
/// Made afresh for every job; holds nothing between jobs.
class DesktopCleaner {
public:
    using Clock = DesktopScan::Clock;

    /// `now` gives the current time (the system clock when empty); tests pass their own.
    explicit DesktopCleaner(FileServices& files, Clock now = {});

    /// What a clean would move now. Never fails: no Desktop or an unreadable one gives an
    /// empty preview.
    CleanPreview preview(const CleanOptions& options) const;

    /// What a clean would move now, or what would stop it before it moved anything.
    std::variant<CleanPreview, CleanError> examine(const CleanOptions& options) const;

    /// The verdict for one listed item of the Desktop.
    ItemVerdict classify(const DirectoryEntry& item, const CleanOptions& options) const;

    /// Moves every eligible item into the archive and gives the record of the run, or the
    /// error that stopped it before anything was moved. `observer` may be null.
    CleanResult clean(const CleanOptions& options, CleanTrigger trigger,
                      CleanObserver* observer = nullptr) const;

    /// Puts the items of `record` back. `archive` is the archive folder in effect now; only
    /// emptied sub-folders inside it are sent to the Trash. `observer` may be null.
    /// `archiveBookmark`, the bookmark of `archive` when it has one, tells an archive on a
    /// drive that is away from an emptied one.
    UndoResult undo(const CleanRecord& record, const std::filesystem::path& archive,
                    UndoObserver* observer = nullptr,
                    const std::optional<std::string>& archiveBookmark = std::nullopt) const;

private:
    FileServices& m_files;
    Clock m_now;
};

} // namespace sorvane
