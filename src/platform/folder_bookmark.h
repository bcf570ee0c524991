// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace sorvane {

/// A lasting reference to a folder that survives the folder being renamed or moved.
///
/// The bytes hold the folder's path and its identity: device, inode number, birth time and,
/// where the file system keeps one, the inode's generation number. An inode number alone is
/// not enough, because a file system hands out a freed number again; the birth time and the
/// generation tell the new owner from the old.
class FolderBookmark {
public:
    struct Resolution {
        std::filesystem::path path;
        /// The folder is no longer where the bookmark says: make a fresh bookmark of `path`.
        bool stale = false;
    };

    /// None when the path does not name a folder that can be examined.
    static std::optional<std::string> create(const std::filesystem::path& folder);

    /// Finds the bookmarked folder: at its recorded path; else under another name in its old
    /// parent folder; else anywhere below the home folder on the same device (symbolic links
    /// not followed, the Trash left out, the search given up after `searchTime`). None when
    /// it is nowhere to be found or the bytes are not a bookmark.
    static std::optional<Resolution>
    resolve(const std::string& bytes,
            std::chrono::milliseconds searchTime = std::chrono::milliseconds(1000));

    /// The device the folder was on when the bookmark was made; none when the bytes are not a
    /// bookmark.
    static std::optional<std::uint64_t> device(const std::string& bytes);

    /// Whether `folder` is the bookmarked folder itself, not merely something at its path
    /// (such as the empty mount point of a drive that is away).
    static bool names(const std::string& bytes, const std::filesystem::path& folder);
};

} // namespace sorvane
