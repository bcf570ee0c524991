// SPDX-License-Identifier: MIT
#include "platform/tree_snapshot.h"

#include "platform/message_catalogue.h"
#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace sorvane {
namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr unsigned wanted = STATX_TYPE | STATX_MODE | STATX_UID | STATX_GID | STATX_SIZE |
                            STATX_ATIME | STATX_MTIME | STATX_CTIME | STATX_INO | STATX_MNT_ID;

std::int64_t nanoseconds(const statx_timestamp& time) {
    return time.tv_sec * 1'000'000'000LL + time.tv_nsec;
}

struct Examined {
    SnapshotEntry entry;
    std::uint64_t mountId = 0;
    bool hasMountId = false;
    bool mountRoot = false;
};

int examine(int folder, const char* name, int flags, Examined& out) {
    struct statx status;
    if (statx(folder, name, flags | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, wanted, &status) != 0)
        return errno;
    auto& e = out.entry;
    e.mode = status.stx_mode;
    e.owner = status.stx_uid;
    e.group = status.stx_gid;
    e.size = status.stx_size;
    e.accessed = nanoseconds(status.stx_atime);
    e.modified = nanoseconds(status.stx_mtime);
    e.changed = nanoseconds(status.stx_ctime);
    e.device = makedev(status.stx_dev_major, status.stx_dev_minor);
    e.inode = status.stx_ino;
    e.attributes = status.stx_attributes;
    e.attributesMask = status.stx_attributes_mask;
    out.hasMountId = status.stx_mask & STATX_MNT_ID;
    out.mountId = status.stx_mnt_id;
    out.mountRoot = (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
                    (status.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return 0;
}

// Another device, a mount id of its own or the kernel's word for it: each alone betrays a
// mount, the last two even a bind mount of the folder's own file system.
bool isMountBelow(const Examined& child, const Examined& folder) {
    if (child.entry.device != folder.entry.device || child.mountRoot)
        return true;
    return child.hasMountId && folder.hasMountId && child.mountId != folder.mountId;
}

std::string joined(const std::string& folder, const char* name) {
    return folder.empty() ? std::string(name) : folder + "/" + name;
}

std::vector<const SnapshotEntry*> byPath(const std::vector<SnapshotEntry>& entries) {
    std::vector<const SnapshotEntry*> sorted;
    sorted.reserve(entries.size());
    for (const auto& entry : entries)
        sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](const SnapshotEntry* a, const SnapshotEntry* b) {
        return a->relative < b->relative;
    });
    return sorted;
}

template <class Same>
bool pairwise(const std::vector<SnapshotEntry>& a, const std::vector<SnapshotEntry>& b, Same same) {
    if (a.size() != b.size())
        return false;
    const auto left = byPath(a);
    const auto right = byPath(b);
    for (std::size_t i = 0; i < left.size(); ++i)
        if (left[i]->relative != right[i]->relative || !same(*left[i], *right[i]))
            return false;
    return true;
}

} // namespace

bool TreeSnapshot::sameShapeAs(const TreeSnapshot& copy) const {
    return pairwise(entries, copy.entries, [](const SnapshotEntry& a, const SnapshotEntry& b) {
        return (a.mode & S_IFMT) == (b.mode & S_IFMT) && (a.isFolder() || a.size == b.size);
    });
}

bool TreeSnapshot::unchangedIn(const TreeSnapshot& later) const {
    return pairwise(entries, later.entries, [](const SnapshotEntry& a, const SnapshotEntry& b) {
        return a.unchangedAs(b);
    });
}

std::uint64_t TreeSnapshot::fileBytes() const {
    std::uint64_t bytes = 0;
    for (const auto& entry : entries)
        if (S_ISREG(entry.mode))
            bytes += entry.size;
    return bytes;
}

bool SnapshotEntry::isFolder() const {
    return S_ISDIR(mode);
}

bool SnapshotEntry::unchangedAs(const SnapshotEntry& other) const {
    return (mode & S_IFMT) == (other.mode & S_IFMT) && size == other.size &&
           modified == other.modified && changed == other.changed && device == other.device &&
           inode == other.inode;
}

bool SnapshotEntry::unchangedAs(const struct stat& now) const {
    SnapshotEntry seen = *this;
    seen.mode = now.st_mode;
    seen.size = static_cast<std::uint64_t>(now.st_size);
    seen.modified = now.st_mtim.tv_sec * 1'000'000'000LL + now.st_mtim.tv_nsec;
    seen.changed = now.st_ctim.tv_sec * 1'000'000'000LL + now.st_ctim.tv_nsec;
    seen.device = now.st_dev;
    seen.inode = now.st_ino;
    return unchangedAs(seen);
}

int TreeSnapshot::openFolder(int holder, const std::string& itemName, const std::string& relative) {
    UniqueFd current(openat(holder, itemName.c_str(), folderFlags));
    std::string_view rest = relative;
    while (current.valid() && !rest.empty()) {
        const auto slash = rest.find('/');
        const std::string part(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        current = UniqueFd(openat(current.get(), part.c_str(), folderFlags));
    }
    return current.release();
}

FileResult<TreeSnapshot> TreeSnapshot::take(const std::filesystem::path& item) {
    const auto path = normalisedPath(item);
    const auto name = path.filename().string();
    if (name.empty() || name == "." || name == "..")
        return posixError("read", path, EINVAL);
    UniqueFd holder(open(path.has_parent_path() ? path.parent_path().c_str() : ".",
                         O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!holder.valid())
        return posixError("read", path, errno);
    return takeAt(holder.get(), name);
}

FileResult<TreeSnapshot> TreeSnapshot::takeAt(int holder, const std::string& name) {
    const std::filesystem::path path = name;
    TreeSnapshot snapshot;
    snapshot.user = geteuid();
    snapshot.groups.push_back(getegid());
    std::vector<gid_t> supplementary(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    supplementary.resize(static_cast<std::size_t>(
        std::max(getgroups(static_cast<int>(supplementary.size()), supplementary.data()), 0)));
    snapshot.groups.insert(snapshot.groups.end(), supplementary.begin(), supplementary.end());
    Examined holderValues;
    if (const int code = examine(holder, "", AT_EMPTY_PATH, holderValues); code != 0)
        return posixError("read", path, code);
    snapshot.holder = holderValues.entry;
    struct statvfs volume;
    snapshot.holderReadOnly = fstatvfs(holder, &volume) == 0 && (volume.f_flag & ST_RDONLY);

    auto mounted = [&](const std::string& inner) {
        if (inner.empty())
            return FileError{
                EXDEV,
                fillIn(messageText("FileError", "Could not move %1: it is another mounted file "
                                                "system."),
                       {quotedName(path)})};
        return FileError{
            EXDEV, fillIn(messageText("FileError", "Could not move %1: \u201C%2\u201D inside it is "
                                                   "another mounted file system."),
                          {quotedName(path), inner})};
    };
    Examined top;
    if (const int code = examine(holder, name.c_str(), 0, top); code != 0)
        return posixError("read", path, code);
    if (isMountBelow(top, holderValues))
        return mounted({});
    snapshot.entries.push_back(top.entry);

    for (std::size_t i = 0; i < snapshot.entries.size(); ++i) {
        if (!snapshot.entries[i].isFolder())
            continue;
        const std::string relative = snapshot.entries[i].relative;
        UniqueFd folder(openFolder(holder, name, relative));
        if (!folder.valid())
            return posixError("read", path, relative, errno);
        struct stat opened;
        if (fstat(folder.get(), &opened) != 0)
            return posixError("read", path, relative, errno);
        if (opened.st_dev != snapshot.entries[i].device ||
            opened.st_ino != snapshot.entries[i].inode)
            return posixError("read", path, relative, EAGAIN);
        Examined self;
        if (const int code = examine(folder.get(), "", AT_EMPTY_PATH, self); code != 0)
            return posixError("read", path, relative, code);

        DIR* stream = fdopendir(folder.get());
        if (!stream)
            return posixError("read", path, relative, errno);
        folder.release();
        std::vector<std::string> names;
        errno = 0;
        while (const dirent* entry = readdir(stream)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.emplace_back(entry->d_name);
            errno = 0;
        }
        int code = errno;
        snapshot.entries[i].firstChild = snapshot.entries.size();
        snapshot.entries[i].childCount = names.size();
        for (const auto& child : names) {
            if (code != 0)
                break;
            Examined values;
            code = examine(dirfd(stream), child.c_str(), 0, values);
            values.entry.relative = joined(relative, child.c_str());
            if (code == 0 && values.entry.isFolder() && isMountBelow(values, self)) {
                closedir(stream);
                return mounted(values.entry.relative);
            }
            if (code != 0)
                code = code == ENOENT ? EAGAIN : code;
            else
                snapshot.entries.push_back(std::move(values.entry));
        }
        closedir(stream);
        if (code != 0)
            return posixError("read", path, relative, code);
    }
    return snapshot;
}

} // namespace sorvane
