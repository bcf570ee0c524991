#pragma once

#include <filesystem>
#include <memory>

namespace sorvane {

/// The one lock per user that every process writing the history or the preferences holds:
/// the tray application for its life, a command-line run for its run. The kernel releases
/// it when the process dies, so a crash never leaves it taken.
class UserLock {
public:
    ~UserLock();
    UserLock(const UserLock&) = delete;
    UserLock& operator=(const UserLock&) = delete;

    /// The lock, or none when another live process holds it.
    static std::unique_ptr<UserLock> tryAcquire();

    /// $XDG_RUNTIME_DIR/sorvane, or "Sorvane" in the data folder without one; made
    /// user-only. The lock and the instance socket live here, never under a shared name in
    /// /tmp.
    static std::filesystem::path runtimeFolder();

private:
    explicit UserLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace sorvane
