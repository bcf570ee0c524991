// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace sorvane {

/// One entry of an item's tree as it was when the snapshot was taken.
struct SnapshotEntry {
    /// The path below the item, "" for the item itself.
    std::string relative;
    std::uint32_t mode = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint64_t size = 0;
    std::int64_t accessed = 0; ///< nanoseconds since 1970, before the walk read it
    std::int64_t modified = 0; ///< nanoseconds since 1970
    std::int64_t changed = 0;  ///< ctime, nanoseconds since 1970
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t attributes = 0;
    std::uint64_t attributesMask = 0;
    /// For a folder: where its entries lie in the snapshot, and how many there are.
    std::size_t firstChild = 0;
    std::size_t childCount = 0;

    bool isFolder() const;
    /// Same object, same kind, size and times: nothing was written to it or renamed in or
    /// out of it (a folder's times change when its names do).
    bool unchangedAs(const SnapshotEntry& other) const;
    /// The same for what `fstat` says now of the entry.
    bool unchangedAs(const struct stat& now) const;
};

/// Every entry of an item's tree, taken before it is copied, so that the copy can be checked
/// against what was there and the removal of the original can be limited to exactly that.
///
/// Each folder comes before its entries, and a folder's entries are consecutive. The walk
/// never follows a link and holds at most three descriptors open however deep the tree.
/// An item that is, or holds, another mounted file system (a bind mount of the same one
/// included) gives an error instead: neither its copy nor its removal may enter one.
class TreeSnapshot {
public:
    static FileResult<TreeSnapshot> take(const std::filesystem::path& item);
    /// The same for the entry `name` of the open folder `holder`.
    static FileResult<TreeSnapshot> takeAt(int holder, const std::string& name);

    /// Whether `copy` holds the same entries, each of the same kind and, for all but
    /// folders, the same size. Times are not compared: other file systems keep them coarser.
    bool sameShapeAs(const TreeSnapshot& copy) const;
    /// Whether `later` finds every entry as this snapshot did and no other.
    bool unchangedIn(const TreeSnapshot& later) const;
    /// What the item's files hold, in bytes.
    std::uint64_t fileBytes() const;

    /// Opens the folder `relative` below the item `itemName` of the open folder `holder`
    /// one component at a time without following links; -1 with errno set on failure.
    static int openFolder(int holder, const std::string& itemName, const std::string& relative);

    std::vector<SnapshotEntry> entries;
    /// The folder the item lies in.
    SnapshotEntry holder;
    /// The holder's file system is mounted read-only.
    bool holderReadOnly = false;
    /// The effective user that took the snapshot, and the groups it belongs to.
    std::uint32_t user = 0;
    std::vector<std::uint32_t> groups;
};

} // namespace sorvane
