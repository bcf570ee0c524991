// SPDX-License-Identifier: MIT
#include "support/small_tmpfs.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace sorvane::test {

namespace {

constexpr const char* fillerName = ".filler";

} // namespace

SmallTmpfs::SmallTmpfs(std::filesystem::path folder, int kilobytes) : m_folder(std::move(folder)) {
    std::filesystem::create_directories(m_folder);
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0700";
    m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (m_mounted)
        ::umount2(m_folder.c_str(), MNT_DETACH);
}

void SmallTmpfs::fill(std::size_t leftBytes) const {
    struct statvfs space {};
    if (::statvfs(m_folder.c_str(), &space) != 0)
        return;
    const std::size_t page = space.f_bsize;
    const std::size_t free = space.f_bavail * page;
    const std::size_t left = (leftBytes + page - 1) / page * page;
    const auto filler = m_folder / fillerName;
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (free > left) [[maybe_unused]]
        const int ignored = ::posix_fallocate(fd, 0, static_cast<off_t>(free - left));
    ::close(fd);
}

void SmallTmpfs::empty() const {
    ::unlink((m_folder / fillerName).c_str());
}

} // namespace sorvane::test
