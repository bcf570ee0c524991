// SPDX-License-Identifier: MIT
#include "app/user_lock.h"

#include "platform/durable_file.h"
#include "platform/xdg_user_dirs.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

UserLock::~UserLock() {
    close(m_fd);
}

std::filesystem::path UserLock::folder() {
    return XdgUserDirs::dataHome() / "Sorvane";
}

std::unique_ptr<UserLock> UserLock::tryAcquire() {
    DurableFile::makeFolder(folder());
    const auto path = folder() / "lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    // A lock file made by an older version may be open to others; ours are private.
    struct stat status {};
    if (fstat(fd, &status) == 0 && (status.st_mode & 0077) != 0)
        fchmod(fd, status.st_mode & 0600);
    return std::unique_ptr<UserLock>(new UserLock(fd));
}

} // namespace sorvane
