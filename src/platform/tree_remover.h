// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/tree_snapshot.h"

#include <filesystem>
#include <string>

namespace sorvane {

/// Removes a file, a link or a whole folder tree with *at calls that never follow a link,
/// never enter another mounted file system and hold a bounded number of descriptors open
/// however deep the tree.
class TreeRemover {
public:
    /// Removes whatever the item holds now: for what this program made itself.
    static FileStatus remove(const std::filesystem::path& item);

    /// Removes the entry `name` of the open folder `folderFd`. Returns 0 or the errno value
    /// of the first failure; then `failedAt` holds the entry's path relative to the folder.
    static int removeAt(int folderFd, const std::string& name, std::filesystem::path& failedAt);

    /// Removes exactly the entries of `snapshot`, deepest first, each checked against it just
    /// before it goes: an entry that changed (EAGAIN), a name added to a folder (ENOTEMPTY)
    /// or any refusal stops the removal there. An entry already gone counts as removed. On
    /// failure the error's message is the entry that stayed, quoted, its path starting with
    /// the item's name.
    static FileStatus removeSnapshot(const std::filesystem::path& item,
                                     const TreeSnapshot& snapshot);

private:
    static int removeEntries(int holder, const std::string& name, const TreeSnapshot& snapshot,
                             bool check, std::string& failedAt);
};

} // namespace sorvane
