// SPDX-License-Identifier: MIT
#pragma once

#include "engine/transfer_step.h"
#include "platform/trash_reservation.h"
#include "record/clean_record.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sorvane {

/// A move a clean run is about to try: the item, the target it tries first, and the identity
/// the scan saw at the item's name (none when it could not be read).
struct PlannedMove {
    std::filesystem::path source;
    std::filesystem::path target;
    std::optional<FileIdentity> identity;
};

/// Hears a clean run as it goes, item by item, on the run's own thread: for a progress bar,
/// and for a journal that must know each move before it happens so that a run killed
/// half-way can still be recorded.
class CleanObserver {
public:
    virtual ~CleanObserver() = default;

    /// The run is about to move at most `itemCount` items. `header` is the record as it will
    /// be written: its id, date, trigger and the skipped count so far, nothing moved yet.
    virtual void cleanStarted(const CleanRecord& header, std::size_t itemCount) = 0;
    /// A large Desktop is still being read when its first items move; once it has been read
    /// whole, `header` holds the run's skipped count so far and `itemCount` the items it
    /// moves at most. Not sent when the Desktop was read whole before `cleanStarted`.
    virtual void scanFinished(const CleanRecord& header, std::size_t itemCount) {
        static_cast<void>(header);
        static_cast<void>(itemCount);
    }
    /// The Desktop the run empties and the archive it fills: nothing outside them is its to
    /// touch. Sent before `cleanStarted`.
    virtual void foldersChosen(const std::filesystem::path& desktop,
                               const std::filesystem::path& archive) {
        static_cast<void>(desktop);
        static_cast<void>(archive);
    }
    /// Sent before anything is touched for the items of `moves`, the next batch of the run.
    /// The default announces each with `itemWillMove`.
    virtual void movesPlanned(const std::vector<PlannedMove>& moves) {
        for (const auto& move : moves)
            itemWillMove(move.source, move.target);
    }
    /// Sent before an item is tried at a target other than the one its batch planned (its
    /// name was taken), and before anything is touched for it there.
    virtual void itemWillMove(const std::filesystem::path& source,
                              const std::filesystem::path& target) = 0;
    /// Moves across file systems made together reached `steps`, one state for each; sent
    /// before the work begins. False when they could not be recorded: the moves then stop,
    /// safely.
    virtual bool transfersStepped(std::span<const TransferStep> steps) {
        static_cast<void>(steps);
        return true;
    }
    virtual void itemMoved(const MovedFile& item) = 0;
    /// An error line of the record: a failed item or the reason the run stopped.
    virtual void errorAdded(const std::string& line) = 0;
    /// Asked before each item and during a copy: true ends the run there, with what was
    /// moved recorded and a copy in progress abandoned, as when the program is asked to quit.
    virtual bool shouldStop() { return false; }
};

/// Hears an undo as it goes: how many of the record's items have been tried.
class UndoObserver {
public:
    virtual ~UndoObserver() = default;
    virtual void undoProgressed(std::size_t done, std::size_t total) = 0;
    /// Asked before each item: true leaves the rest in the archive, still undoable.
    virtual bool shouldStop() { return false; }
    /// Sent before anything of a batch of the record's items moves; each is tried first at
    /// its original path. `identities` holds each item's identity in the archive, read
    /// after the batch before was announced (none where it could not be read). The default
    /// announces each with `itemWillRestore`.
    virtual void restoresPlanned(std::span<const MovedFile> items,
                                 std::span<const std::optional<FileIdentity>> identities) {
        static_cast<void>(identities);
        for (const auto& item : items)
            itemWillRestore(item, item.originalPath);
    }
    /// Sent before an item is tried at a target other than its original path, before
    /// anything of the item moves there.
    virtual void itemWillRestore(const MovedFile&, const std::filesystem::path& /*target*/) {}
    /// The item stands at `target`.
    virtual void itemRestored(const MovedFile&, const std::filesystem::path& /*target*/) {}
    /// Moves back across file systems made together reached `steps`, one state for each,
    /// `items[i]` the item of `steps[i]`; sent before the work begins. False when they could
    /// not be recorded: the moves then stop, safely.
    virtual bool restoresStepped(std::span<const MovedFile* const> items,
                                 std::span<const TransferStep> steps) {
        static_cast<void>(items);
        static_cast<void>(steps);
        return true;
    }
    /// An emptied dated folder is about to go to the Trash under the info file just written;
    /// false keeps it where it is.
    virtual bool trashReserved(const TrashReservation&) { return true; }
};

} // namespace sorvane
