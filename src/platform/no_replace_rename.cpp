// SPDX-License-Identifier: MIT
#include "platform/no_replace_rename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

bool linkUnsupported(int code) {
    return code == EPERM || code == ENOSYS || code == EOPNOTSUPP || code == EMLINK;
}

// A plain rename replaces what it finds, so look first. Something appearing at the target
// between the look and the rename is the one race this cannot close; it only happens on
// file systems that offer neither RENAME_NOREPLACE nor hard links.
int checkedRename(const char* source, const char* target) {
    struct stat existing;
    if (lstat(target, &existing) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return std::rename(source, target) == 0 ? 0 : errno;
}

} // namespace

int renameWithoutReplacing(const std::filesystem::path& source,
                           const std::filesystem::path& target) {
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;

    // EINVAL means either that the file system refuses the flag (NFS, CIFS, many FUSE file
    // systems) or that a folder would move into itself; only the first deserves a fallback,
    // and the fallback's own rename reports the second.
    struct stat status;
    if (lstat(source.c_str(), &status) != 0)
        return errno;
    if (S_ISDIR(status.st_mode))
        return checkedRename(source.c_str(), target.c_str());

    // For anything but a folder, link() refuses an existing target atomically.
    if (link(source.c_str(), target.c_str()) != 0) {
        const int code = errno;
        return linkUnsupported(code) ? checkedRename(source.c_str(), target.c_str()) : code;
    }
    if (unlink(source.c_str()) != 0) {
        const int code = errno;
        unlink(target.c_str());
        return code;
    }
    return 0;
}

} // namespace sorvane
