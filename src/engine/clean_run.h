// SPDX-License-Identifier: MIT
#pragma once

#include "engine/archive_folder_namer.h"
#include "engine/clean_error.h"
#include "engine/clean_observer.h"
#include "engine/clean_options.h"
#include "engine/copy_batch.h"
#include "engine/desktop_scan.h"
#include "engine/item_transfer.h"
#include "record/clean_record.h"

#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sorvane {

/// A clean gives the record of what it did, or the error that stopped it before it began.
using CleanResult = std::variant<CleanRecord, CleanError>;

/// One clean: moves every eligible Desktop item into its dated archive sub-folder, keeps
/// going past single failures and stops when they pile up.
class CleanRun {
public:
    /// The last error line of a run its observer stopped.
    static std::string stoppedByRequestLine();

    CleanRun(FileServices& files, DesktopScan::Clock now, const CleanOptions& options,
             CleanTrigger trigger, CleanObserver* observer);

    /// Runs the clean; once per run.
    CleanResult run();

private:
    /// Moves the items the scan finds eligible batch by batch, as it finds them, until the
    /// end or what stops the run.
    void moveAll(ScanAhead& scan, const ArchiveFolderNamer& namer);
    /// Announces a batch and moves its items; false when the run must stop.
    bool moveBatch(std::span<DirectoryEntry> items, const ArchiveFolderNamer& namer);
    /// Where each item of a batch goes first: its dated folder and its own name.
    std::vector<PlannedMove> plan(std::span<DirectoryEntry> items,
                                  const ArchiveFolderNamer& namer) const;
    /// Takes the scan's count of items that stay, so far, into the record.
    void countSkipped(std::int64_t scanSkipped);
    /// Moves one item as planned, or under a free numbered name, or queues its copy to
    /// another file system; false when the run must stop.
    bool moveItem(const PlannedMove& planned);
    /// Makes the queued copies and settles each; false when the run must stop.
    bool finishCopies();
    /// Records what became of one item; false when the run must stop.
    bool settle(const std::filesystem::path& item, const FileResult<std::filesystem::path>& target,
                const std::optional<FileError>& leftBehind);
    /// Records a failed item; false when failures have piled up and the run must stop.
    bool failItem(const std::filesystem::path& item, const FileError& error);
    /// Opens the archive root, making the root alone again only where it safely can; the
    /// error when it cannot.
    std::optional<CleanError> openRoot();
    /// Makes the dated sub-folder that `item` goes into, once per run, only inside the root
    /// the run opened.
    FileStatus makeFolderOf(const std::filesystem::path& item);
    /// Whether the root is still the folder the run opened.
    bool rootIsThere();
    FileError rootAwayError() const;
    void addError(const std::string& line);

    FileServices& m_files;
    DesktopScan::Clock m_now;
    const CleanOptions& m_options;
    CleanTrigger m_trigger;
    CleanObserver* m_observer;
    std::filesystem::path m_root;
    std::filesystem::path m_desktop;
    std::optional<FileIdentity> m_rootIdentity;
    ItemTransfer m_transfer;
    /// The current batch's items bound for another file system.
    CopyBatch m_copies;
    CleanRecord m_record;
    int m_consecutiveFailures = 0;
    /// The part of the record's skipped count that the scan found; the rest were busy.
    std::int64_t m_scanSkipped = 0;
    std::set<std::string, std::less<>> m_madeFolders;
};

} // namespace sorvane
