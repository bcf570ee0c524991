// SPDX-License-Identifier: MIT
#include "platform/tree_remover.h"

#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

struct Holder {
    UniqueFd fd;
    std::string name;
    int error = 0;
};

Holder openHolder(const std::filesystem::path& item) {
    const auto path = normalisedPath(item);
    Holder holder{UniqueFd(), path.filename().string()};
    if (holder.name.empty() || holder.name == "." || holder.name == "..") {
        holder.error = EINVAL;
        return holder;
    }
    holder.fd = UniqueFd(open(path.has_parent_path() ? path.parent_path().c_str() : ".",
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!holder.fd.valid())
        holder.error = errno;
    return holder;
}

// Whether the entry is still the one the snapshot saw; one that is gone counts as such.
int stillAsTaken(int folder, const char* name, const SnapshotEntry& expected) {
    struct stat now;
    if (fstatat(folder, name, &now, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    return expected.unchangedAs(now) ? 0 : EAGAIN;
}

int unlinkEntry(int folder, const char* name, const SnapshotEntry& entry, bool check) {
    if (!entry.isFolder() && check)
        if (const int code = stillAsTaken(folder, name, entry); code != 0)
            return code;
    if (unlinkat(folder, name, entry.isFolder() ? AT_REMOVEDIR : 0) == 0 || errno == ENOENT)
        return 0;
    return errno == EEXIST ? ENOTEMPTY : errno;
}

} // namespace

FileStatus TreeRemover::remove(const std::filesystem::path& item) {
    const auto holder = openHolder(item);
    if (holder.error != 0)
        return posixError("remove", item, holder.error);
    std::filesystem::path failedAt;
    if (const int code = removeAt(holder.fd.get(), holder.name, failedAt); code != 0)
        return posixError("remove", item, failedAt, code);
    return {};
}

int TreeRemover::removeAt(int folderFd, const std::string& name, std::filesystem::path& failedAt) {
    auto snapshot = TreeSnapshot::takeAt(folderFd, name);
    if (!snapshot) {
        failedAt = name;
        return snapshot.error().code;
    }
    std::string failed;
    const int code = removeEntries(folderFd, name, *snapshot, false, failed);
    if (code != 0)
        failedAt = failed;
    return code;
}

FileStatus TreeRemover::removeSnapshot(const std::filesystem::path& item,
                                       const TreeSnapshot& snapshot) {
    const auto holder = openHolder(item);
    std::string failedAt = holder.name;
    int code = holder.error != 0 ? holder.error : snapshot.entries.empty() ? EINVAL : 0;
    if (code == 0)
        code = removeEntries(holder.fd.get(), holder.name, snapshot, true, failedAt);
    if (code != 0)
        return FileError{code, quotedText(failedAt)};
    return {};
}

// Deepest folders first: a folder's sub-folders come after it in the snapshot, so going
// backwards empties each sub-folder before its parent removes it.
int TreeRemover::removeEntries(int holder, const std::string& name, const TreeSnapshot& snapshot,
                               bool check, std::string& failedAt) {
    const auto& entries = snapshot.entries;
    auto shown = [&](const SnapshotEntry& entry) {
        return entry.relative.empty() ? name : name + "/" + entry.relative;
    };
    for (auto folder = entries.rbegin(); folder != entries.rend(); ++folder) {
        if (!folder->isFolder() || folder->childCount == 0)
            continue;
        UniqueFd fd(TreeSnapshot::openFolder(holder, name, folder->relative));
        struct stat status;
        if (!fd.valid() && errno == ENOENT)
            continue;
        if (!fd.valid() || fstat(fd.get(), &status) != 0) {
            failedAt = shown(*folder);
            return errno;
        }
        if (status.st_dev != folder->device || status.st_ino != folder->inode) {
            failedAt = shown(*folder);
            return EAGAIN;
        }
        for (std::size_t i = folder->firstChild; i < folder->firstChild + folder->childCount; ++i) {
            const auto& child = entries[i];
            const auto childName = std::filesystem::path(child.relative).filename();
            if (const int code = unlinkEntry(fd.get(), childName.c_str(), child, check);
                code != 0) {
                failedAt = shown(child);
                return code;
            }
        }
    }
    if (const int code = unlinkEntry(holder, name.c_str(), entries.front(), check); code != 0) {
        failedAt = name;
        return code;
    }
    return 0;
}

} // namespace sorvane
