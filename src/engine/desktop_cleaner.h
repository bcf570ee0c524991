#pragma once

#include "engine/clean_options.h"
#include "engine/clean_preview.h"
#include "engine/item_classifier.h"
#include "platform/file_services.h"

#include <filesystem>
#include <set>
#include <string>

namespace sorvane {

/// The cleaning engine's entry: scans the Desktop and decides what a clean would move.
/// Made afresh for every job; holds nothing between jobs.
class DesktopCleaner {
public:
    using Clock = ItemClassifier::Clock;

    /// `now` gives the current time (the system clock when empty); tests pass their own.
    explicit DesktopCleaner(FileServices& files, Clock now = {});

    /// Names that never leave the Desktop: the folder-housekeeping files of the file managers
    /// and of other systems whose files end up on Linux desktops.
    static const std::set<std::string>& standardNeverMove();

    const std::set<std::string>& neverMove() const { return m_neverMove; }

    /// What a clean would move now. Never fails: no Desktop or an unreadable one gives an
    /// empty preview.
    CleanPreview preview(const CleanOptions& options) const;

    /// The scan of a known Desktop, or the listing's error.
    FileResult<CleanPreview> scan(const std::filesystem::path& desktop,
                                  const CleanOptions& options) const;

    /// The verdict for one listed item of the Desktop.
    ItemVerdict classify(const DirectoryEntry& item, const CleanOptions& options) const;

    /// The date an item is filed under.
    Timestamp groupingDate(const std::filesystem::path& item, DateBasis basis,
                           Timestamp cleanDate) const;

    Timestamp now() const { return m_now(); }

private:
    FileServices& m_files;
    std::set<std::string> m_neverMove;
    Clock m_now;
};

} // namespace sorvane
