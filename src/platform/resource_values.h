// SPDX-License-Identifier: MIT
#pragma once

#include "platform/timestamp.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

/// Which object a path names, so that two paths to the same folder can be recognised.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

/// What the file system tells about one item, read without following a symbolic link.
/// Every value may be missing.
struct ResourceValues {
    std::optional<bool> isDirectory;
    std::optional<bool> isRegularFile;
    std::optional<bool> isHidden;
    std::optional<Timestamp> creationDate;
    std::optional<Timestamp> modificationDate;
    /// When the item's inode last changed (ctime): with size and modification date it tells
    /// whether an item changed while it was being copied.
    std::optional<Timestamp> statusChangeDate;
    /// Empty when the item has no tags or its file system keeps none; missing when the
    /// tags could not be read (EACCES, EIO): the item may well be pinned.
    std::optional<std::vector<std::string>> tagNames;
    std::optional<std::int64_t> labelNumber;
    std::optional<std::uint64_t> fileSize;
    std::optional<FileIdentity> identity;
    /// The mount the item lies on (`stx_mnt_id`), where the kernel says.
    std::optional<std::uint64_t> mountId;
    /// Whether another file system, or a bind mount of any folder, is mounted here.
    std::optional<bool> isMountPoint;
};

/// One entry of a folder listing with its values read during the listing;
/// `values` is empty when they could not be read.
struct DirectoryEntry {
    std::filesystem::path path;
    std::optional<ResourceValues> values;
};

} // namespace sorvane
