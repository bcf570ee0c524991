// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_error.h"
#include "engine/clean_options.h"
#include "engine/item_classifier.h"
#include "engine/scan_ahead.h"
#include "engine/scanned_desktop.h"
#include "platform/file_services.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace sorvane {

/// Lists the Desktop and sorts its items into those a clean moves and those that stay.
class DesktopScan {
public:
    using Clock = ItemClassifier::Clock;

    DesktopScan(FileServices& files, Clock now);

    /// Names that never leave the Desktop: the folder-housekeeping files of the file managers
    /// and of other systems whose files end up on Linux desktops.
    static const NameSet& standardNeverMove();

    /// What stops any clean from `desktop` into the options' archive, whatever lies on the
    /// Desktop: an archive path that is not absolute, or a Desktop inside the archive (its
    /// items would all count as archived and nothing would ever move).
    static std::optional<CleanError> placeProblem(const std::filesystem::path& desktop,
                                                  const CleanOptions& options);

    /// The scan of a known Desktop, or the listing's error.
    FileResult<ScannedDesktop> scan(const std::filesystem::path& desktop,
                                    const CleanOptions& options) const;
    /// Lists a known Desktop and goes on reading its items on a thread of their own, or
    /// gives the listing's error. The ICU time zone must not change while it reads.
    FileResult<std::unique_ptr<ScanAhead>> start(const std::filesystem::path& desktop,
                                                 const CleanOptions& options) const;

    /// The verdict for one listed item of the Desktop.
    ItemVerdict classify(const DirectoryEntry& item, const CleanOptions& options) const;

private:
    FileServices& m_files;
    Clock m_now;
};

} // namespace sorvane
