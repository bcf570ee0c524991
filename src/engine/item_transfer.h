// SPDX-License-Identifier: MIT
#pragma once

#include "engine/transfer_step.h"
#include "platform/file_services.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace sorvane {

class CopyBatch;

/// Who hears a transfer as it goes; every part may be left empty.
struct TransferListener {
    /// Each target of an item, before anything is tried for it there; false leaves the item
    /// where it is (the target could not be recorded, or the run is stopping).
    std::function<bool(const std::filesystem::path& source, const std::filesystem::path& target)>
        willMove;
    /// Each state of the moves across file systems made together, before its work begins;
    /// false stops them there (the states could not be recorded).
    std::function<bool(std::span<const TransferStep>)> stepped;
    /// Asked during a copy: true abandons it and removes what was copied.
    std::function<bool()> cancelled;
    /// An item changed within `busyWindow` is not copied but fails with `busyCode`: for
    /// the Desktop, where it may still be being written. The archive's own fresh copies
    /// must not hold up an undo.
    bool leaveBusyItems = false;
    /// Where a move across file systems waits to be made with others, instead of being made
    /// at once; its item has not moved until the batch says so.
    CopyBatch* batch = nullptr;
};

/// Moves one item without ever losing it, for the clean run and the undo alike: a rename
/// where it can be done, else a copy that is verified before the original is removed.
class ItemTransfer {
public:
    using Clock = sorvane::Clock;

    /// The error code of an item that was changed so recently that it may still be being
    /// written; it waits for a later run.
    static constexpr int busyCode = EINPROGRESS;
    /// How recent a change makes an item busy.
    static constexpr std::chrono::seconds busyWindow{5};

    ItemTransfer(FileServices& files, Clock now);

    /// A path in `folder` for an item called `name` at which nothing exists: the name
    /// itself, else "name 2", "name 3"… before the extension, up to 999, else the name with
    /// the current time. Fails when a numbered name would be longer than a file name may be.
    FileResult<std::filesystem::path> uniqueDestination(const std::string& name,
                                                        const std::filesystem::path& folder) const;

    /// A snapshot of `source` to copy it by, unless it may not be copied: changed too
    /// recently (`busyCode`, when `leaveBusyItems`) or holding what could not be removed
    /// after the copy.
    FileResult<TreeSnapshot> snapshotForCopy(const std::filesystem::path& source,
                                             bool leaveBusyItems) const;

    /// Moves `source` to `target`, or to the first free numbered name in its folder when
    /// `target` is taken, and gives where it went. Across file systems it copies the item
    /// and removes the original only once the copy is verified and durable (see CopyBatch);
    /// an item changed too recently (`busyCode`), one that changed during the copy and one
    /// whose original could not be removed stay whole where they were.
    ///
    /// The plain name is tried by the move itself, which never replaces anything: in the
    /// usual case that costs one system call where looking first would cost two.
    FileResult<std::filesystem::path>
    transferToFreeName(const std::filesystem::path& source, const std::filesystem::path& target,
                       const TransferListener& listener = {}) const;

    /// Where an item's original lay.
    enum class From { desktop, archive };
    /// The error line of an item that moved while `error` (from `removeSnapshot`) stayed
    /// where it came from.
    static std::string leftBehindLine(const std::string& name, const FileError& error,
                                      From from = From::desktop);

private:
    FileResult<std::filesystem::path> transfer(const std::filesystem::path& source,
                                               const std::filesystem::path& target,
                                               const TransferListener& listener) const;
    FileResult<std::filesystem::path> copyAcross(const std::filesystem::path& source,
                                                 const std::filesystem::path& target,
                                                 const TransferListener& listener) const;
    bool busy(const TreeSnapshot& snapshot) const;

    FileServices& m_files;
    Clock m_now;
};

} // namespace sorvane
