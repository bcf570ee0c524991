// SPDX-License-Identifier: MIT
#include "platform/item_copier.h"

#include "platform/message_catalogue.h"
#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/tree_remover.h"
#include "platform/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

bool isUserAttribute(std::string_view name) {
    return name.starts_with("user.");
}

bool notSupported(int code) {
    return code == ENOTSUP || code == EOPNOTSUPP;
}

std::string realPath(const std::filesystem::path& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path.string();
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// The owner can only be kept by a privileged process; for anyone else the copy belongs to
// them, as with mv.
void keepOwner(int fd, const struct stat& status) {
    [[maybe_unused]] const int ignored = fchown(fd, status.st_uid, status.st_gid);
}

} // namespace

ItemCopier::ItemCopier(const TreeSnapshot& snapshot, std::function<bool()> cancelled,
                       CopyDurability durability)
    : m_snapshot(snapshot), m_cancelled(std::move(cancelled)), m_durability(durability) {}

FileStatus ItemCopier::copy(const std::filesystem::path& source,
                            const std::filesystem::path& target) {
    const auto from = normalisedPath(source);
    const auto to = normalisedPath(target);
    const auto fromName = from.filename();
    const auto toName = to.filename();
    if (fromName.empty() || fromName == "." || fromName == ".." || toName.empty() ||
        toName == "." || toName == ".." || m_snapshot.entries.empty())
        return posixError("copy", from, EINVAL);

    UniqueFd sourceFolder(open(from.has_parent_path() ? from.parent_path().c_str() : ".",
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!sourceFolder.valid())
        return posixError("copy", from, errno);
    UniqueFd targetFolder(open(to.has_parent_path() ? to.parent_path().c_str() : ".",
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!targetFolder.valid())
        return posixError("copy", from, errno);

    if (m_snapshot.entries.front().isFolder()) {
        const auto sourceReal = realPath(from);
        const auto targetParentReal = realPath(to.has_parent_path() ? to.parent_path() : ".");
        if (targetParentReal == sourceReal || targetParentReal.starts_with(sourceReal + "/"))
            return FileError{EINVAL,
                             fillIn(messageText("FileError", "Could not copy %1 into itself."),
                                    {quotedName(from)})};
    }

    m_failedAt.clear();
    m_created = false;
    const int code =
        copyTree(sourceFolder.get(), fromName.string(), targetFolder.get(), toName.string());
    const int settled = code == 0 ? settle(targetFolder.get()) : 0;
    if (code == 0 && settled == 0)
        return {};
    std::filesystem::path ignored;
    if (m_created)
        TreeRemover::removeAt(targetFolder.get(), toName.string(), ignored);
    if (code == 0)
        return posixError("copy", from, settled);
    if (code == ECANCELED)
        return FileError{code, fillIn(messageText("FileError", "The copy of %1 was abandoned."),
                                      {quotedName(from)})};
    if (code == EAGAIN)
        return FileError{
            code,
            fillIn(messageText("ItemError", "%1 changed while it was being copied, so it was left "
                                            "where it was."),
                   {quotedName(from)})};
    return posixError("copy", from, m_failedAt.empty() ? fromName : fromName / m_failedAt, code);
}

// Folders first, each with its entries, then, deepest first, each folder's own attributes:
// adding entries changes a folder's times, and a read-only mode would refuse them. Only two
// folders of each side are open at any time.
int ItemCopier::copyTree(int sourceHolder, const std::string& sourceName, int targetHolder,
                         const std::string& targetName) {
    const auto& entries = m_snapshot.entries;
    if (const int code = copyEntry(sourceHolder, sourceName.c_str(), targetHolder,
                                   targetName.c_str(), entries.front());
        code != 0 || !entries.front().isFolder())
        return code;
    auto open = [&](const SnapshotEntry& folder, UniqueFd& in, UniqueFd& out) {
        m_failedAt = folder.relative;
        in = UniqueFd(TreeSnapshot::openFolder(sourceHolder, sourceName, folder.relative));
        out = UniqueFd(TreeSnapshot::openFolder(targetHolder, targetName, folder.relative));
        struct stat status;
        if (!in.valid() || !out.valid() || fstat(in.get(), &status) != 0)
            return errno;
        return status.st_dev == folder.device && status.st_ino == folder.inode ? 0 : EAGAIN;
    };
    for (const auto& folder : entries) {
        if (!folder.isFolder())
            continue;
        UniqueFd in, out;
        if (const int code = open(folder, in, out); code != 0)
            return code;
        for (std::size_t i = folder.firstChild; i < folder.firstChild + folder.childCount; ++i) {
            if (cancelled())
                return ECANCELED;
            const auto& child = entries[i];
            const auto name = std::filesystem::path(child.relative).filename();
            if (const int code = copyEntry(in.get(), name.c_str(), out.get(), name.c_str(), child);
                code != 0) {
                m_failedAt = child.relative;
                return code;
            }
        }
    }
    for (auto folder = entries.rbegin(); folder != entries.rend(); ++folder) {
        if (!folder->isFolder())
            continue;
        UniqueFd in, out;
        if (const int code = open(*folder, in, out); code != 0)
            return code;
        if (const int code = finishFolder(in.get(), out.get(), *folder); code != 0)
            return code;
    }
    return 0;
}

int ItemCopier::copyEntry(int sourceFolder, const char* sourceName, int targetFolder,
                          const char* targetName, const SnapshotEntry& expected) {
    if (expected.isFolder()) {
        if (mkdirat(targetFolder, targetName, 0700) != 0)
            return errno;
        m_created = true;
        return 0;
    }
    if (S_ISREG(expected.mode))
        return copyFile(sourceFolder, sourceName, targetFolder, targetName, expected);
    struct stat status;
    if (fstatat(sourceFolder, sourceName, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? EAGAIN : errno;
    if (!expected.unchangedAs(status))
        return EAGAIN;
    if (S_ISLNK(status.st_mode))
        return copyLink(sourceFolder, sourceName, targetFolder, targetName, status);
    return copySpecial(targetFolder, targetName, status);
}

int ItemCopier::copyFile(int sourceFolder, const char* sourceName, int targetFolder,
                         const char* targetName, const SnapshotEntry& expected) {
    // O_NONBLOCK: should the entry have been swapped for a FIFO since it was examined,
    // opening it must not hang the copy. O_NOATIME keeps the original's access time as it
    // was, for when the original stays; only its owner may ask for that.
    constexpr int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    UniqueFd in(openat(sourceFolder, sourceName, flags | O_NOATIME));
    if (!in.valid() && errno == EPERM)
        in = UniqueFd(openat(sourceFolder, sourceName, flags));
    if (!in.valid())
        return errno == ENOENT ? EAGAIN : errno;
    struct stat opened;
    if (fstat(in.get(), &opened) != 0)
        return errno;
    if (!expected.unchangedAs(opened))
        return EAGAIN;

    UniqueFd out(openat(targetFolder, targetName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!out.valid())
        return errno;
    m_created = true;
    if (const int code = copyData(in.get(), out.get(), static_cast<off_t>(expected.size));
        code != 0)
        return code;
    if (const int code = copyExtendedAttributes(in.get(), out.get()); code != 0)
        return code;
    keepOwner(out.get(), opened);
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (fchmod(out.get(), opened.st_mode & 07777) != 0 || futimens(out.get(), times) != 0)
        return errno;
    // The original goes once the copy is verified, so the copy must be on disk by then.
    if (const int code = settle(out.get()); code != 0)
        return code;
    if (close(out.release()) != 0)
        return errno;
    return 0;
}

// The times are the snapshot's: listing the folder has moved its access time since.
int ItemCopier::finishFolder(int source, int target, const SnapshotEntry& expected) {
    struct stat status;
    if (fstat(source, &status) != 0)
        return errno;
    if (const int code = copyExtendedAttributes(source, target); code != 0)
        return code;
    keepOwner(target, status);
    auto time = [](std::int64_t nanoseconds) {
        return timespec{static_cast<time_t>(nanoseconds / 1'000'000'000),
                        static_cast<long>(nanoseconds % 1'000'000'000)};
    };
    const timespec times[2] = {time(expected.accessed), time(expected.modified)};
    if (fchmod(target, status.st_mode & 07777) != 0 || futimens(target, times) != 0)
        return errno;
    return settle(target);
}

// A file system that cannot sync (EINVAL) writes through.
int ItemCopier::settle(int fd) const {
    if (m_durability == CopyDurability::deferred)
        return 0;
    return fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

int ItemCopier::copyLink(int sourceFolder, const char* sourceName, int targetFolder,
                         const char* targetName, const struct stat& status) {
    std::vector<char> buffer(status.st_size > 0 ? status.st_size + 1 : PATH_MAX);
    for (;;) {
        const ssize_t length = readlinkat(sourceFolder, sourceName, buffer.data(), buffer.size());
        if (length < 0)
            return errno;
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer[length] = '\0';
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    if (symlinkat(buffer.data(), targetFolder, targetName) != 0)
        return errno;
    m_created = true;
    [[maybe_unused]] const int ignored =
        fchownat(targetFolder, targetName, status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (utimensat(targetFolder, targetName, times, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    return 0;
}

int ItemCopier::copySpecial(int targetFolder, const char* targetName, const struct stat& status) {
    const mode_t type = status.st_mode & S_IFMT;
    const int made = S_ISFIFO(status.st_mode)
                         ? mkfifoat(targetFolder, targetName, 0600)
                         : mknodat(targetFolder, targetName, type | 0600, status.st_rdev);
    if (made != 0)
        return errno;
    m_created = true;
    [[maybe_unused]] const int ignored =
        fchownat(targetFolder, targetName, status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (fchmodat(targetFolder, targetName, status.st_mode & 07777, 0) != 0 ||
        utimensat(targetFolder, targetName, times, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    return 0;
}

// Only the data of a sparse file is copied; its holes stay holes, made by the final size.
int ItemCopier::copyData(int from, int to, off_t size) {
    for (off_t offset = 0; offset < size;) {
        off_t data = lseek(from, offset, SEEK_DATA);
        off_t end = size;
        if (data < 0) {
            if (errno == ENXIO)
                break;
            data = offset; // no hole finding here: all of it is data
        } else {
            end = lseek(from, data, SEEK_HOLE);
            if (end < 0 || end > size)
                end = size;
        }
        if (data >= size)
            break;
        if (const int code = m_ranges.copy(from, data, to, data, end - data, m_cancelled).code;
            code != 0)
            return code;
        offset = end;
    }
    return ftruncate(to, size) == 0 ? 0 : errno;
}

int ItemCopier::copyExtendedAttributes(int from, int to) {
    std::vector<char> names;
    for (;;) {
        const ssize_t size = flistxattr(from, nullptr, 0);
        if (size < 0)
            return notSupported(errno) ? 0 : errno;
        if (size == 0)
            return 0;
        names.resize(size);
        const ssize_t got = flistxattr(from, names.data(), names.size());
        if (got >= 0) {
            names.resize(got);
            break;
        }
        if (errno != ERANGE)
            return errno;
    }

    // User attributes carry the tags and must arrive, unless the target file system has
    // none at all (FAT, older tmpfs), where the copy goes without them as with mv. The other
    // namespaces (security labels, ACLs, trusted) are the target system's business and
    // copied only where it takes them.
    bool targetTakesUserAttributes = true;
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        const bool user = isUserAttribute(name);
        if (user && !targetTakesUserAttributes)
            continue;
        ssize_t size = fgetxattr(from, name, nullptr, 0);
        if (size >= 0) {
            value.resize(size);
            size = fgetxattr(from, name, value.data(), value.size());
        }
        if (size < 0) {
            if (user && errno != ENODATA)
                return errno;
            continue;
        }
        if (fsetxattr(to, name, value.data(), size, 0) == 0)
            continue;
        if (!user)
            continue;
        if (!notSupported(errno))
            return errno;
        targetTakesUserAttributes = false;
    }
    return 0;
}

} // namespace sorvane
