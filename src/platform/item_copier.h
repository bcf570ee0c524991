// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/file_services.h"
#include "platform/range_copy.h"
#include "platform/tree_snapshot.h"

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace sorvane {

/// Copies one item the way `mv` does across file systems: contents (holes stay holes),
/// mode, owner where permitted, access and modification times to the nanosecond, extended
/// attributes (the tags live there), links as links, FIFOs, sockets and device nodes
/// recreated without ever being opened, folders with everything in them.
///
/// What is copied is what the snapshot lists, nothing found since: an entry that is no
/// longer the object the snapshot saw fails the copy, so that a copy never passes for an
/// item it is not. The snapshot also keeps the copy out of other mounted file systems and
/// bounds the descriptors it holds open however deep the tree. Whatever fails, nothing
/// half-made stays at the target. One object serves one copy.
class ItemCopier {
public:
    /// `cancelled`, asked between entries and between pieces of a large file, abandons the
    /// copy (ECANCELED) when it says true: a quit must not wait for a slow disk.
    ItemCopier(const TreeSnapshot& snapshot, std::function<bool()> cancelled,
               CopyDurability durability = CopyDurability::flushed);

    FileStatus copy(const std::filesystem::path& source, const std::filesystem::path& target);

private:
    int copyTree(int sourceHolder, const std::string& sourceName, int targetHolder,
                 const std::string& targetName);
    int copyEntry(int sourceFolder, const char* sourceName, int targetFolder,
                  const char* targetName, const SnapshotEntry& expected);
    int copyFile(int sourceFolder, const char* sourceName, int targetFolder, const char* targetName,
                 const SnapshotEntry& expected);
    int copyLink(int sourceFolder, const char* sourceName, int targetFolder, const char* targetName,
                 const struct stat& status);
    int copySpecial(int targetFolder, const char* targetName, const struct stat& status);
    int finishFolder(int source, int target, const SnapshotEntry& expected);
    int copyData(int from, int to, off_t size);
    bool cancelled() const { return m_cancelled && m_cancelled(); }

    /// Makes a file or folder written durable now, unless a later flush of the file system
    /// will.
    int settle(int fd) const;

    static int copyExtendedAttributes(int from, int to);

    const TreeSnapshot& m_snapshot;
    std::function<bool()> m_cancelled;
    CopyDurability m_durability;
    std::string m_failedAt;
    /// Something exists at the target that this copy made.
    bool m_created = false;
    RangeCopy m_ranges;
};

} // namespace sorvane
