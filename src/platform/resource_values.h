#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

using Timestamp = std::chrono::system_clock::time_point;

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
    std::optional<std::vector<std::string>> tagNames;
    std::optional<std::int64_t> labelNumber;
    std::optional<std::uint64_t> fileSize;
    std::optional<FileIdentity> identity;
};

/// One entry of a folder listing with its values read during the listing;
/// `values` is empty when they could not be read.
struct DirectoryEntry {
    std::filesystem::path path;
    std::optional<ResourceValues> values;
};

} // namespace sorvane
