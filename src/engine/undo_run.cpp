// SPDX-License-Identifier: MIT
#include "engine/undo_run.h"

#include "engine/batch_size.h"
#include "engine/path_rules.h"
#include "platform/folder_bookmark.h"
#include "platform/message_catalogue.h"

#include <algorithm>
#include <cerrno>

namespace sorvane {
namespace {

// A dated folder's items all share the text before their last "/".
std::string_view folderOf(const std::string& archived) {
    return std::string_view(archived).substr(0, archived.rfind('/'));
}

} // namespace

UndoRun::UndoRun(FileServices& files, ItemTransfer::Clock now, UndoObserver* observer)
    : m_files(files), m_transfer(files, std::move(now)), m_copies(files, m_transfer),
      m_observer(observer) {}

UndoResult UndoRun::run(const CleanRecord& record, const std::filesystem::path& archive,
                        const std::optional<std::string>& archiveBookmark) {
    m_archive = PathRules::standardized(archive);
    m_archiveBookmark = archiveBookmark;
    m_items = record.moved;
    m_fates.assign(m_items.size(), Fate::gone);
    m_errors.clear();
    m_settled = 0;
    // A sub-folder still holds the items of the record that have not been settled yet, so
    // it can only have been emptied once its last one has been. Looking at it then, and not
    // after every item, gives the same answer without reading a folder of n items n times.
    m_unsettled.clear();
    m_restoredFrom.clear();
    for (const auto& item : m_items)
        ++m_unsettled[folderOf(item.newPath)];

    for (std::size_t index = 0, nextBatch = 0; index < m_items.size(); ++index) {
        if (index == nextBatch) {
            finishCopies();
            nextBatch = startBatch(index);
        }
        // Items not tried stay in the record, so that the next undo puts them back.
        if (m_observer && m_observer->shouldStop())
            stopAt(index);
        else
            tryItem(index);
    }
    finishCopies();

    UndoResult result;
    result.errors = std::move(m_errors);
    for (std::size_t index = 0; index < m_items.size(); ++index) {
        if (m_fates[index] == Fate::restored)
            result.restored.push_back(m_items[index]);
        else if (m_fates[index] == Fate::remains)
            result.remaining.push_back(m_items[index]);
    }
    return result;
}

std::size_t UndoRun::startBatch(std::size_t first) {
    const auto batchAt = [&](std::size_t start) {
        return m_items.subspan(start, std::min(batchSizeAt(start), m_items.size() - start));
    };
    const auto batch = batchAt(first);
    const auto next = first + batch.size();
    // The journal hears a whole batch in one write before any of it moves.
    if (m_observer)
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

void UndoRun::tryItem(std::size_t index) {
    const auto queued = m_copies.size();
    const auto putBackTo = putBack(m_items[index]);
    // A copy across file systems is settled with its batch.
    if (m_copies.size() != queued)
        m_queued.push_back(index);
    else
        settle(index, putBackTo, std::nullopt);
}

void UndoRun::finishCopies() {
    if (m_queued.empty())
        return;
    const auto queued = std::exchange(m_queued, {});
    std::unordered_map<std::string_view, const MovedFile*> byArchivedPath;
    for (const auto index : queued)
        byArchivedPath.emplace(m_items[index].newPath, &m_items[index]);
    const auto itemAt = [&](const std::filesystem::path& archived) -> const MovedFile& {
        return *byArchivedPath.at(archived.native());
    };
    TransferListener listener;
    if (m_observer) {
        listener.cancelled = [this] {
            return m_observer->shouldStop();
        };
        listener.willMove = [&](const std::filesystem::path& archived,
                                const std::filesystem::path& target) {
            m_observer->itemWillRestore(itemAt(archived), target);
            return true;
        };
        listener.stepped = [&](std::span<const TransferStep> steps) {
            std::vector<const MovedFile*> items;
            items.reserve(steps.size());
            for (const auto& step : steps)
                items.push_back(&itemAt(step.source));
            return m_observer->restoresStepped(items, steps);
        };
    }
    std::size_t next = 0;
    m_copies.complete(listener, [&](const CopyBatch::Outcome& outcome) {
        settle(queued[next++], outcome.target, outcome.leftBehind);
    });
}

void UndoRun::settle(std::size_t index, const FileResult<std::filesystem::path>& putBackTo,
                     const std::optional<FileError>& leftBehind) {
    const auto& item = m_items[index];
    const std::filesystem::path archived = item.newPath;
    const std::string archivedName = archived.filename().native();
    if (putBackTo) {
        if (m_observer)
            m_observer->itemRestored(item, *putBackTo);
        if (leftBehind)
            m_errors.push_back(ItemTransfer::leftBehindLine(archivedName, *leftBehind,
                                                            ItemTransfer::From::archive));
        return conclude(index, Fate::restored);
    }
    if (putBackTo.error().code == ECANCELED)
        return stopAt(index);
    if (putBackTo.error().code != ENOENT || m_files.fileExists(archived)) {
        m_errors.push_back(archivedName + ": " + putBackTo.error().description());
        return conclude(index, Fate::remains);
    }
    // The record's archive root is the parent of the item's dated folder.
    const auto root = archived.parent_path().parent_path();
    if (!rootIsAvailable(root)) {
        m_errors.push_back(fillIn(
            messageText("UndoError", "%1: its archive folder \u201C%2\u201D is not available."),
            {archivedName, root.filename().native()}));
        return conclude(index, Fate::remains);
    }
    m_errors.push_back(
        fillIn(messageText("UndoError", "%1: no longer in the archive"), {archivedName}));
    conclude(index, Fate::gone);
}

void UndoRun::stopAt(std::size_t index) {
    // The copies queued before have not begun: their items stay untouched too.
    for (const auto queued : std::exchange(m_queued, {}))
        stopAt(queued);
    m_copies.clear();
    m_errors.push_back(
        fillIn(messageText("UndoError", "%1: not put back because Sorvane was stopped."),
               {std::filesystem::path(m_items[index].newPath).filename().native()}));
    conclude(index, Fate::remains);
}

void UndoRun::conclude(std::size_t index, Fate fate) {
    m_fates[index] = fate;
    const auto& archived = m_items[index].newPath;
    const auto folder = folderOf(archived);
    if (fate == Fate::restored)
        m_restoredFrom.insert(folder);
    if (--m_unsettled[folder] == 0 && m_restoredFrom.contains(folder))
        removeEmptyArchiveFolder(archived, m_archive);
    if (m_observer)
        m_observer->undoProgressed(++m_settled, m_items.size());
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
    listener.batch = &m_copies;
    if (m_observer)
        listener.willMove = [&](const std::filesystem::path&, const std::filesystem::path& target) {
            if (target.native() != original.native())
                m_observer->itemWillRestore(item, target);
            return true;
        };
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
