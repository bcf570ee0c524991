// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/file_system_watch.h"
#include "platform/resource_values.h"
#include "platform/trash_reservation.h"
#include "platform/tree_snapshot.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

/// When a copy reaches the disk: before `copyItem` returns, or later, with the flush of its
/// whole file system that a batch of copies shares (`syncFileSystem`). The write-back waits
/// for that flush: started after each copy, it ran beside the next one and slowed both.
enum class CopyDurability { flushed, deferred };

/// A folder's entries as listed, hidden ones included: their names at once, each entry
/// itself later. Making a path for every name costs as much as listing the folder, so it
/// waits for the entry's turn.
struct DirectoryListing {
    std::vector<std::string> names;
    /// The entry called `name`, its values read in the folder that was listed (not by its
    /// path again). One thread at a time may call it, also while another uses the services.
    std::function<DirectoryEntry(const std::string& name)> entryOf;
};

/// Everything the cleaning engine asks of the file system. One POSIX implementation serves
/// the program; tests wrap it to make chosen operations fail.
///
/// No operation follows a symbolic link that is the item itself: a link is moved, copied,
/// removed and described as a link.
class FileServices {
public:
    virtual ~FileServices() = default;

    /// The user's Desktop folder, or none when there is no usable one.
    virtual std::optional<std::filesystem::path> desktopDirectory() = 0;

    /// One level of a folder's entries, hidden ones included, made and read later.
    virtual FileResult<DirectoryListing> listDirectory(const std::filesystem::path& folder) = 0;

    /// Whether every entry of the folder is named `allowedName` (an empty folder qualifies).
    /// Stops reading at the first other entry.
    virtual FileResult<bool> directoryHoldsOnly(const std::filesystem::path& folder,
                                                const std::string& allowedName) = 0;

    virtual FileResult<ResourceValues> resourceValues(const std::filesystem::path& item) = 0;

    /// Identity of the item itself, a link as a link; none when there is none.
    virtual std::optional<FileIdentity> identity(const std::filesystem::path& item) = 0;

    /// Identity of what `path` names, following symbolic links on the way.
    virtual std::optional<FileIdentity>
    identityFollowingLinks(const std::filesystem::path& path) = 0;

    /// Creates the folder and any missing parents; an existing folder is success.
    virtual FileStatus createDirectory(const std::filesystem::path& folder) = 0;

    /// Renames without ever replacing an existing target. Fails with EXDEV when source and
    /// target lie on different file systems.
    virtual FileStatus moveItem(const std::filesystem::path& source,
                                const std::filesystem::path& target) = 0;

    /// Every entry of an item's tree with its identity, size and times; fails for an item
    /// that is or holds another mounted file system.
    virtual FileResult<TreeSnapshot> snapshotItem(const std::filesystem::path& item) = 0;

    /// Copies what `snapshot` (of `source`) lists, keeping mode, times, extended attributes
    /// and links as links, durable as `durability` says. Fails when the target exists or an
    /// entry is no longer what the snapshot saw; gives up (ECANCELED) once `cancelled` says
    /// so. Leaves nothing at the target when it fails.
    virtual FileStatus copyItem(const std::filesystem::path& source,
                                const std::filesystem::path& target, const TreeSnapshot& snapshot,
                                const std::function<bool()>& cancelled,
                                CopyDurability durability) = 0;

    /// Makes a folder's entries durable (new names included).
    virtual FileStatus syncFolder(const std::filesystem::path& folder) = 0;

    /// Holds `folder` open for a later `syncFileSystem`; to be taken before the writes it
    /// must vouch for.
    virtual FileResult<FileSystemWatch> watchFileSystem(const std::filesystem::path& folder) = 0;

    /// Makes everything written to the watched file system durable; fails when any of it
    /// could not be written since the watch began.
    virtual FileStatus syncFileSystem(const FileSystemWatch& watch) = 0;

    /// Removes a file, link or whole folder tree.
    virtual FileStatus removeItem(const std::filesystem::path& item) = 0;

    /// Removes only the entries of `snapshot` (of `item`), each checked just before: the
    /// first that changed or resists stops it, and the error's message quotes that entry.
    virtual FileStatus removeSnapshot(const std::filesystem::path& item,
                                      const TreeSnapshot& snapshot) = 0;

    /// Moves the item to the user's Trash; `reserved` hears of the info file written for it
    /// before the item moves.
    virtual FileStatus trashItem(const std::filesystem::path& item,
                                 const TrashReservationListener& reserved) = 0;

    /// True when anything, a dangling link included, exists at the path.
    virtual bool fileExists(const std::filesystem::path& path) = 0;

    /// Creates one folder whose parent exists, never its parents, with no more access than
    /// `accessOf` grants. An existing folder is success and keeps the access it has.
    virtual FileStatus createFolder(const std::filesystem::path& folder,
                                    const std::filesystem::path& accessOf) = 0;
};

} // namespace sorvane
