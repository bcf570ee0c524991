// SPDX-License-Identifier: MIT
#pragma once

#include "engine/transfer_step.h"
#include "platform/file_services.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace sorvane {

/// Who hears a transfer as it goes; every part may be left empty.
struct TransferListener {
    /// Each target, before anything is tried for it.
    std::function<void(const std::filesystem::path&)> willMove;
    /// Each state of a move across file systems, before its work begins; false stops the
    /// move there (the state could not be recorded).
    std::function<bool(const TransferStep&)> stepped;
    /// The item moved, but what the error's message names stayed behind in its folder.
    std::function<void(const FileError&)> leftBehind;
    /// Asked during a copy: true abandons it and removes what was copied.
    std::function<bool()> cancelled;
    /// An item changed within `busyWindow` is not copied but fails with `busyCode`: for
    /// the Desktop, where it may still be being written. The archive's own fresh copies
    /// must not hold up an undo.
    bool leaveBusyItems = false;
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

    /// Moves `source` to `target`. Across file systems it takes a snapshot of the source,
    /// copies what the snapshot lists to a hidden temporary name beside the target, checks
    /// the copy against the snapshot and the source against it again, gives the copy its
    /// name, makes it durable and only then removes the snapshot's entries from the source,
    /// each checked once more. An item changed too recently (`busyCode`), one whose original
    /// could not be removed afterwards, and one that changed during the copy stay whole
    /// where they were.
    FileStatus transfer(const std::filesystem::path& source, const std::filesystem::path& target,
                        const TransferListener& listener = {}) const;

    /// Moves `source` into `folder` under `name`, or under the first free numbered name
    /// when that is taken, and gives where it went.
    ///
    /// The plain name is tried by the move itself, which never replaces anything: in the
    /// usual case that costs one system call where looking first would cost two.
    FileResult<std::filesystem::path>
    transferToFreeName(const std::filesystem::path& source, const std::filesystem::path& folder,
                       const std::string& name, const TransferListener& listener = {}) const;

    /// The error line of an item that moved while `error` (from `removeSnapshot`) stayed on
    /// the Desktop.
    static std::string leftBehindLine(const std::string& name, const FileError& error);

private:
    FileStatus copyAcross(const std::filesystem::path& source, const std::filesystem::path& target,
                          const TransferListener& listener) const;
    bool busy(const TreeSnapshot& snapshot) const;

    FileServices& m_files;
    Clock m_now;
};

} // namespace sorvane
