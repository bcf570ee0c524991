#include "platform/item_copier.h"

#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/tree_remover.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool isUserAttribute(std::string_view name) {
    return name.starts_with("user.");
}

bool notSupported(int code) {
    return code == ENOTSUP || code == EOPNOTSUPP;
}

// copy_file_range answers these when the kernel or the pair of file systems cannot do it;
// since Linux 5.19 that includes any two file systems of different types.
bool rangeCopyUnavailable(int code) {
    return code == EXDEV || code == EINVAL || code == ENOSYS || code == EOPNOTSUPP ||
           code == EBADF || code == ETXTBSY;
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

FileStatus ItemCopier::copy(const std::filesystem::path& source,
                            const std::filesystem::path& target) {
    const auto from = normalisedPath(source);
    const auto to = normalisedPath(target);
    const auto fromName = from.filename();
    const auto toName = to.filename();
    if (fromName.empty() || fromName == "." || fromName == ".." || toName.empty() ||
        toName == "." || toName == "..")
        return posixError("copy", from, EINVAL);

    UniqueFd sourceFolder(open(from.has_parent_path() ? from.parent_path().c_str() : ".",
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!sourceFolder.valid())
        return posixError("copy", from, errno);
    struct stat status;
    if (fstatat(sourceFolder.get(), fromName.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return posixError("copy", from, errno);
    UniqueFd targetFolder(open(to.has_parent_path() ? to.parent_path().c_str() : ".",
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!targetFolder.valid())
        return posixError("copy", from, errno);

    if (S_ISDIR(status.st_mode)) {
        const auto sourceReal = realPath(from);
        const auto targetParentReal = realPath(to.has_parent_path() ? to.parent_path() : ".");
        if (targetParentReal == sourceReal || targetParentReal.starts_with(sourceReal + "/"))
            return FileError{EINVAL, "Could not copy " + quotedName(from) + " into itself."};
    }

    m_device = status.st_dev;
    m_failedAt.clear();
    m_mountInside = false;
    bool created = false;
    const int code = copyEntry(sourceFolder.get(), fromName.c_str(), targetFolder.get(),
                               toName.c_str(), status, fromName, created);
    if (code == 0) {
        fsync(targetFolder.get());
        return {};
    }
    if (created) {
        std::filesystem::path ignored;
        TreeRemover::removeAt(targetFolder.get(), toName.string(), ignored);
    }
    if (m_mountInside)
        return FileError{code, "Could not copy " + quotedName(from) + ": \u201C" +
                                   m_failedAt.string() +
                                   "\u201D inside it is another mounted file system."};
    return posixError("copy", from, m_failedAt, code);
}

int ItemCopier::copyEntry(int sourceFolder, const char* sourceName, int targetFolder,
                          const char* targetName, const struct stat& status,
                          const std::filesystem::path& relative, bool& created) {
    int code = 0;
    if (S_ISREG(status.st_mode))
        code = copyFile(sourceFolder, sourceName, targetFolder, targetName, created);
    else if (S_ISDIR(status.st_mode))
        return copyFolder(sourceFolder, sourceName, targetFolder, targetName, status, relative,
                          created);
    else if (S_ISLNK(status.st_mode))
        code = copyLink(sourceFolder, sourceName, targetFolder, targetName, status, created);
    else
        code = copySpecial(targetFolder, targetName, status, created);
    if (code != 0 && m_failedAt.empty())
        m_failedAt = relative;
    return code;
}

int ItemCopier::copyFile(int sourceFolder, const char* sourceName, int targetFolder,
                         const char* targetName, bool& created) {
    // O_NONBLOCK: should the entry have been swapped for a FIFO since it was examined,
    // opening it must not hang the copy. O_NOATIME keeps the original's access time as it
    // was, for when the original stays; only its owner may ask for that.
    constexpr int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    UniqueFd in(openat(sourceFolder, sourceName, flags | O_NOATIME));
    if (!in.valid() && errno == EPERM)
        in = UniqueFd(openat(sourceFolder, sourceName, flags));
    if (!in.valid())
        return errno;
    struct stat opened;
    if (fstat(in.get(), &opened) != 0)
        return errno;
    if (!S_ISREG(opened.st_mode))
        return EAGAIN;

    UniqueFd out(openat(targetFolder, targetName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!out.valid())
        return errno;
    created = true;
    if (const int code = copyData(in.get(), out.get()); code != 0)
        return code;
    if (const int code = copyExtendedAttributes(in.get(), out.get()); code != 0)
        return code;
    keepOwner(out.get(), opened);
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (fchmod(out.get(), opened.st_mode & 07777) != 0 || futimens(out.get(), times) != 0)
        return errno;
    // The engine removes the original as soon as this returns, so the copy must be on disk.
    if (fsync(out.get()) != 0 && errno != EINVAL)
        return errno;
    if (close(out.release()) != 0)
        return errno;
    return 0;
}

int ItemCopier::copyFolder(int sourceFolder, const char* sourceName, int targetFolder,
                           const char* targetName, const struct stat& status,
                           const std::filesystem::path& relative, bool& created) {
    auto fail = [&](int code) {
        if (m_failedAt.empty())
            m_failedAt = relative;
        return code;
    };
    if (status.st_dev != m_device) {
        m_mountInside = true;
        return fail(EXDEV);
    }
    UniqueFd in(openat(sourceFolder, sourceName, folderFlags));
    if (!in.valid())
        return fail(errno);
    if (mkdirat(targetFolder, targetName, 0700) != 0)
        return fail(errno);
    created = true;
    UniqueFd out(openat(targetFolder, targetName, folderFlags));
    if (!out.valid())
        return fail(errno);

    DIR* stream = fdopendir(in.get());
    if (!stream)
        return fail(errno);
    in.release();
    int code = 0;
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            errno = 0;
            continue;
        }
        struct stat child;
        if (fstatat(dirfd(stream), name, &child, AT_SYMLINK_NOFOLLOW) != 0) {
            code = errno;
            m_failedAt = relative / name;
            break;
        }
        bool childCreated = false;
        code =
            copyEntry(dirfd(stream), name, out.get(), name, child, relative / name, childCreated);
        if (code != 0)
            break;
        errno = 0;
    }
    if (code == 0 && errno != 0)
        code = fail(errno);
    if (code == 0)
        code = copyExtendedAttributes(dirfd(stream), out.get());
    closedir(stream);
    if (code != 0)
        return fail(code);

    // The folder's own mode and times come last: adding entries changes its times, and a
    // read-only mode would have refused them.
    keepOwner(out.get(), status);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (fchmod(out.get(), status.st_mode & 07777) != 0 || futimens(out.get(), times) != 0)
        return fail(errno);
    if (fsync(out.get()) != 0 && errno != EINVAL)
        return fail(errno);
    return 0;
}

int ItemCopier::copyLink(int sourceFolder, const char* sourceName, int targetFolder,
                         const char* targetName, const struct stat& status, bool& created) {
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
    created = true;
    [[maybe_unused]] const int ignored =
        fchownat(targetFolder, targetName, status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (utimensat(targetFolder, targetName, times, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    return 0;
}

int ItemCopier::copySpecial(int targetFolder, const char* targetName, const struct stat& status,
                            bool& created) {
    const mode_t type = status.st_mode & S_IFMT;
    const int made = S_ISFIFO(status.st_mode)
                         ? mkfifoat(targetFolder, targetName, 0600)
                         : mknodat(targetFolder, targetName, type | 0600, status.st_rdev);
    if (made != 0)
        return errno;
    created = true;
    [[maybe_unused]] const int ignored =
        fchownat(targetFolder, targetName, status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (fchmodat(targetFolder, targetName, status.st_mode & 07777, 0) != 0 ||
        utimensat(targetFolder, targetName, times, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    return 0;
}

int ItemCopier::copyData(int from, int to) {
    bool rangeCopy = true;
    bool copiedAny = false;
    while (rangeCopy) {
        const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (copied > 0) {
            copiedAny = true;
            continue;
        }
        if (copied == 0) {
            // Some kernels answer 0 for files whose size they do not know (procfs and the
            // like); reading tells a real end of file from that.
            if (copiedAny)
                return 0;
            rangeCopy = false;
        } else if (errno == EINTR) {
            continue;
        } else if (rangeCopyUnavailable(errno)) {
            rangeCopy = false;
        } else {
            return errno;
        }
    }

    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = read(from, buffer.data(), buffer.size());
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = write(to, buffer.data() + done, got - done);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += written;
        }
    }
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
