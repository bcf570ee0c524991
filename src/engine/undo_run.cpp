// SPDX-License-Identifier: MIT
#include "engine/undo_run.h"

#include "engine/batch_size.h"
#include "engine/path_rules.h"
#include "platform/folder_bookmark.h"
#include "platform/message_catalogue.h"

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <unordered_set>

namespace sorvane {

UndoRun::UndoRun(FileServices& files, ItemTransfer::Clock now, UndoObserver* observer)
    : m_files(files), m_transfer(files, std::move(now)), m_observer(observer) {}

UndoResult UndoRun::run(const CleanRecord& record, const std::filesystem::path& archive,
                        const std::optional<std::string>& archiveBookmark) {
    m_archive = PathRules::standardized(archive);
    m_archiveBookmark = archiveBookmark;
    // A sub-folder still holds the items of the record that have not been tried yet, so it
    // can only have been emptied once its last one has been tried. Looking at it then, and
    // not after every item, gives the same answer without reading a folder of n items n
    // times.
    // Keyed by the text before the last "/": a dated folder's items all share it.
    const auto folderOf = [](const std::string& archived) {
        return std::string_view(archived).substr(0, archived.rfind('/'));
    };
    std::unordered_map<std::string_view, std::size_t> untried;
    for (const auto& item : record.moved)
        ++untried[folderOf(item.newPath)];
    std::unordered_set<std::string_view> restoredFrom;

    UndoResult result;
    std::size_t done = 0, nextBatch = 0;
    const std::span<const MovedFile> items(record.moved);
    for (std::size_t index = 0; index < items.size(); ++index) {
        const auto& item = items[index];
        if (m_observer && index == nextBatch)
            nextBatch = announceBatch(items, index);
        // Items not tried stay in the record, so that the next undo puts them back.
        if (m_observer && m_observer->shouldStop()) {
            result.errors.push_back(
                fillIn(messageText("UndoError", "%1: not put back because Sorvane was stopped."),
                       {std::filesystem::path(item.newPath).filename().native()}));
            result.remaining.push_back(item);
            continue;
        }
        const auto folder = folderOf(item.newPath);
        if (restore(item, result))
            restoredFrom.insert(folder);
        if (--untried[folder] == 0 && restoredFrom.contains(folder))
            removeEmptyArchiveFolder(item.newPath, archive);
        if (m_observer)
            m_observer->undoProgressed(++done, record.moved.size());
    }
    return result;
}

std::size_t UndoRun::announceBatch(std::span<const MovedFile> items, std::size_t first) {
    const auto batchAt = [&](std::size_t start) {
        return items.subspan(start, std::min(batchSizeAt(start), items.size() - start));
    };
    // The journal hears a whole batch in one write before any of it moves.
    const auto batch = batchAt(first);
    const auto next = first + batch.size();
    m_observer->restoresPlanned(batch, identitiesOf(batch, batchAt(next)));
    return next;
}

UndoRun::Identities UndoRun::identitiesOf(std::span<const MovedFile> batch,
                                          std::span<const MovedFile> following) {
    auto read = [this](std::span<const MovedFile> items) {
        Identities identities;
        identities.reserve(items.size());
        for (const auto& item : items)
            identities.push_back(m_files.identity(item.newPath));
        return identities;
    };
    // The items of a batch still lie in the archive while the batch before moves to the
    // Desktop: their identities are the same whether read then or just before the batch.
    auto identities = m_identitiesAhead.valid() ? m_identitiesAhead.get() : read(batch);
    if (!following.empty())
        m_identitiesAhead = std::async(std::launch::async, read, following);
    return identities;
}

bool UndoRun::restore(const MovedFile& item, UndoResult& result) {
    const auto putBackTo = putBack(item);
    if (putBackTo) {
        if (m_observer)
            m_observer->itemRestored(item, *putBackTo);
        result.restored.push_back(item);
        return true;
    }
    const std::filesystem::path archived = item.newPath;
    const std::string archivedName = archived.filename().native();
    if (putBackTo.error().code != ENOENT || m_files.fileExists(archived)) {
        result.errors.push_back(archivedName + ": " + putBackTo.error().description());
        result.remaining.push_back(item);
        return false;
    }
    // The record's archive root is the parent of the item's dated folder.
    const auto root = archived.parent_path().parent_path();
    if (!rootIsAvailable(root)) {
        result.errors.push_back(fillIn(
            messageText("UndoError", "%1: its archive folder \u201C%2\u201D is not available."),
            {archivedName, root.filename().native()}));
        result.remaining.push_back(item);
        return false;
    }
    result.errors.push_back(
        fillIn(messageText("UndoError", "%1: no longer in the archive"), {archivedName}));
    return false;
}

bool UndoRun::rootIsAvailable(const std::filesystem::path& root) {
    const auto known = m_availableRoots.find(root);
    if (known != m_availableRoots.end())
        return known->second;
    bool available = m_files.fileExists(root);
    if (available && m_archiveBookmark && PathRules::standardized(root) == m_archive) {
        available = FolderBookmark::names(*m_archiveBookmark, root);
    } else if (available) {
        // No identity to compare: an empty folder is what a drive that is away leaves of
        // its mount point, so only an archive holding something counts as there.
        const auto empty = m_files.directoryHoldsOnly(root, ".DS_Store");
        available = empty && !*empty;
    }
    m_availableRoots[root] = available;
    return available;
}

FileResult<std::filesystem::path> UndoRun::putBack(const MovedFile& item) {
    const std::filesystem::path archived = item.newPath;
    const std::filesystem::path original = item.originalPath;
    TransferListener listener;
    if (m_observer) {
        listener.willMove = [&](const std::filesystem::path&, const std::filesystem::path& target) {
            if (target.native() != original.native())
                m_observer->itemWillRestore(item, target);
            return true;
        };
        // One item at a time: each step is this item's.
        listener.stepped = [&](std::span<const TransferStep> steps) {
            return std::all_of(steps.begin(), steps.end(), [&](const TransferStep& step) {
                return m_observer->restoreStepped(item, step);
            });
        };
    }
    // Tried straight away: the Desktop is there in the usual case. A move that finds no
    // Desktop makes it and tries again.
    auto moved = m_transfer.transferToFreeName(archived, original, listener);
    if (moved || moved.error().code != ENOENT)
        return moved;
    const auto home = original.parent_path();
    if (m_files.fileExists(home) || !m_files.fileExists(archived))
        return moved;
    if (auto made = m_files.createDirectory(home); !made)
        return made.error();
    return m_transfer.transferToFreeName(archived, original, listener);
}

void UndoRun::removeEmptyArchiveFolder(const std::filesystem::path& item,
                                       const std::filesystem::path& archive) {
    const auto folder = PathRules::standardized(item.parent_path());
    if (!PathRules::isInside(folder.native(), PathRules::standardized(archive).native()))
        return;
    // Stops at the first other entry.
    auto onlyLeftovers = m_files.directoryHoldsOnly(folder, ".DS_Store");
    if (onlyLeftovers && *onlyLeftovers)
        m_files.trashItem(folder, [this](const TrashReservation& reservation) {
            return !m_observer || m_observer->trashReserved(reservation);
        });
}

} // namespace sorvane
