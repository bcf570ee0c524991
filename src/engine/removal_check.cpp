// SPDX-License-Identifier: MIT
#include "engine/removal_check.h"

#include "platform/message_catalogue.h"
#include "platform/posix_error.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace sorvane {
namespace {

FileError obstacleAt(const SnapshotEntry& entry, const std::string& why, int code) {
    if (entry.relative.empty())
        return {code,
                fillIn(messageText(
                           "ItemError",
                           "It was left where it was: it could not be removed afterwards (%1)."),
                       {why})};
    return {code, fillIn(messageText("ItemError",
                                     "It was left where it was: %1 inside it could not be removed "
                                     "afterwards (%2)."),
                         {quotedText(entry.relative), why})};
}

} // namespace

std::optional<FileError> RemovalCheck::obstacle(const TreeSnapshot& snapshot) {
    if (snapshot.entries.empty())
        return std::nullopt;
    if (snapshot.holderReadOnly)
        return FileError{EROFS, messageText("ItemError",
                                            "It was left where it was: its folder is on a "
                                            "read-only file system, so it could not be removed "
                                            "afterwards.")};
    if (!mayChange(snapshot, snapshot.holder))
        return FileError{EACCES, messageText("ItemError",
                                             "It was left where it was: its folder may not be "
                                             "changed, so it could not be removed afterwards.")};
    if (!mayRemoveFrom(snapshot, snapshot.holder, snapshot.entries.front()))
        return obstacleAt(snapshot.entries.front(),
                          messageText("ItemError", "it belongs to another user"), EPERM);
    for (const auto& entry : snapshot.entries) {
        const auto attributes = entry.attributes & entry.attributesMask;
        if (attributes & STATX_ATTR_IMMUTABLE)
            return obstacleAt(entry, messageText("ItemError", "it is immutable"), EPERM);
        if (attributes & STATX_ATTR_APPEND)
            return obstacleAt(entry, messageText("ItemError", "it is append-only"), EPERM);
        if (!entry.isFolder() || entry.childCount == 0)
            continue;
        if (!mayChange(snapshot, entry))
            return obstacleAt(entry, messageText("ItemError", "its contents may not be changed"),
                              EACCES);
        const auto first = snapshot.entries.begin() + static_cast<std::ptrdiff_t>(entry.firstChild);
        const auto foreign = std::find_if(
            first, first + static_cast<std::ptrdiff_t>(entry.childCount),
            [&](const SnapshotEntry& child) { return !mayRemoveFrom(snapshot, entry, child); });
        if (foreign != first + static_cast<std::ptrdiff_t>(entry.childCount))
            return obstacleAt(*foreign, messageText("ItemError", "it belongs to another user"),
                              EPERM);
    }
    return std::nullopt;
}

// Write and search permission, worked out as the kernel does for the effective user (ACLs
// aside). The superuser may change any folder.
bool RemovalCheck::mayChange(const TreeSnapshot& snapshot, const SnapshotEntry& folder) {
    if (snapshot.user == 0)
        return true;
    unsigned bits = folder.mode;
    if (folder.owner == snapshot.user)
        bits >>= 6;
    else if (std::find(snapshot.groups.begin(), snapshot.groups.end(), folder.group) !=
             snapshot.groups.end())
        bits >>= 3;
    return (bits & 3) == 3;
}

// In a sticky folder only the owner of an entry or of the folder may remove the entry.
bool RemovalCheck::mayRemoveFrom(const TreeSnapshot& snapshot, const SnapshotEntry& folder,
                                 const SnapshotEntry& entry) {
    return snapshot.user == 0 || !(folder.mode & S_ISVTX) || entry.owner == snapshot.user ||
           folder.owner == snapshot.user;
}

} // namespace sorvane
