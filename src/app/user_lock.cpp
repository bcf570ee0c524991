#include "app/user_lock.h"

#include "platform/xdg_user_dirs.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

UserLock::~UserLock() {
    close(m_fd);
}

std::filesystem::path UserLock::runtimeFolder() {
    const auto runtime = XdgUserDirs::runtimeDirectory();
    const auto folder = runtime ? *runtime / "sorvane" : XdgUserDirs::dataHome() / "Sorvane";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    chmod(folder.c_str(), 0700);
    return folder;
}

std::unique_ptr<UserLock> UserLock::tryAcquire() {
    const auto path = runtimeFolder() / "lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<UserLock>(new UserLock(fd));
}

} // namespace sorvane
