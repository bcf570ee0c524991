// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_observer.h"
#include "engine/copy_batch.h"
#include "engine/item_transfer.h"
#include "engine/undo_result.h"
#include "record/clean_record.h"

#include <future>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace sorvane {

/// Puts the items of one recorded clean back where they came from, never replacing what
/// sits there now, and sends dated sub-folders it empties to the Trash.
class UndoRun {
public:
    UndoRun(FileServices& files, ItemTransfer::Clock now, UndoObserver* observer);

    /// `archiveBookmark` is the bookmark of `archive`, when it has one: it tells the archive
    /// from the empty mount point of its drive while the drive is away.
    UndoResult run(const CleanRecord& record, const std::filesystem::path& archive,
                   const std::optional<std::string>& archiveBookmark = std::nullopt);

    /// After an item came back: its dated sub-folder goes to the Trash when nothing but
    /// ".DS_Store" is left in it and it lies inside `archive`.
    void removeEmptyArchiveFolder(const std::filesystem::path& item,
                                  const std::filesystem::path& archive);

private:
    using Identities = std::vector<std::optional<FileIdentity>>;
    /// Where an item of the record ends: back, still in the archive, or gone from both.
    enum class Fate { restored, remains, gone };

    /// Announces the batch of items that begins at `first`; gives where the next begins.
    std::size_t startBatch(std::size_t first);
    /// The identities of `batch`, read ahead when they were asked for as `following`; those
    /// of `following` are read meanwhile, on a thread of their own.
    Identities identitiesOf(std::span<const MovedFile> batch, std::span<const MovedFile> following);
    /// Puts the item back, or queues its copy when it lies on another file system.
    void tryItem(std::size_t index);
    /// Makes the queued copies back across file systems together, and settles their items.
    void finishCopies();
    /// Settles the item at `index` once its move is over, however it ended.
    void settle(std::size_t index, const FileResult<std::filesystem::path>& putBackTo,
                const std::optional<FileError>& leftBehind);
    /// Leaves the item in the archive because the undo was asked to stop.
    void stopAt(std::size_t index);
    void conclude(std::size_t index, Fate fate);
    /// Whether the archive root an item was filed under is there, and is the folder the
    /// run used, so that a missing item is truly gone and not on a drive that is away.
    bool rootIsAvailable(const std::filesystem::path& root);
    FileResult<std::filesystem::path> putBack(const MovedFile& item);

    FileServices& m_files;
    ItemTransfer m_transfer;
    CopyBatch m_copies;
    UndoObserver* m_observer;
    std::filesystem::path m_archive;
    std::optional<std::string> m_archiveBookmark;
    std::map<std::filesystem::path, bool> m_availableRoots;
    std::future<Identities> m_identitiesAhead;

    std::span<const MovedFile> m_items;
    std::vector<Fate> m_fates;
    std::vector<std::string> m_errors;
    /// The indexes of the items whose copies wait in `m_copies`, in the order queued.
    std::vector<std::size_t> m_queued;
    /// By dated folder: how many of its items have not been settled yet, and whether one
    /// came back from it.
    std::unordered_map<std::string_view, std::size_t> m_unsettled;
    std::unordered_set<std::string_view> m_restoredFrom;
    std::size_t m_settled = 0;
};

} // namespace sorvane
