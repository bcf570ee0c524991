// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <memory>

namespace sorvane {

/// The one lock per user that every process writing the history or the preferences holds:
/// the tray application for its life, a command-line run for its run. The kernel releases
/// it when the process dies, so a crash never leaves it taken.
///
/// It lives beside the history it guards, so that every process finds the same lock whatever
/// its environment: a job started by cron has no XDG_RUNTIME_DIR.
class UserLock {
public:
    ~UserLock();
    UserLock(const UserLock&) = delete;
    UserLock& operator=(const UserLock&) = delete;

    /// The lock, or none when another live process holds it.
    static std::unique_ptr<UserLock> tryAcquire();

    /// "Sorvane" in the user's data folder ($XDG_DATA_HOME): the history, its journals, the
    /// lock and the file that names the running application's socket.
    static std::filesystem::path folder();

private:
    explicit UserLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace sorvane
