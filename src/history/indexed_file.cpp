// SPDX-License-Identifier: MIT
#include "history/indexed_file.h"

#include "platform/posix_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {

namespace {

std::int64_t nanoseconds(const struct timespec& time) {
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

} // namespace

FileResult<std::string_view> IndexedFile::open(const std::filesystem::path& path,
                                               FileMapping& mapping, std::string& copy) {
    FileStatus read = hold(path);
    if (read) {
        mapping = FileMapping(m_fd.get(), static_cast<std::size_t>(m_size));
        if (mapping.mapped())
            return mapping.bytes();
        read = appendRange(0, static_cast<std::size_t>(m_size), copy);
    }
    if (!read) {
        close();
        return read.error();
    }
    return std::string_view(copy);
}

FileStatus IndexedFile::hold(const std::filesystem::path& path) {
    close();
    m_path = path;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0)
        return posixError("read", path, errno);
    if (S_ISDIR(status.st_mode))
        return posixError("read", path, EISDIR);
    m_fd = std::move(fd);
    m_size = status.st_size;
    m_modifiedNs = nanoseconds(status.st_mtim);
    return {};
}

FileStatus IndexedFile::appendRange(std::size_t offset, std::size_t length,
                                    std::string& bytes) const {
    if (!unchanged())
        return posixError("read", m_path, ESTALE);
    const std::size_t start = bytes.size();
    bytes.resize(start + length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count = ::pread(m_fd.get(), bytes.data() + start + done, length - done,
                                      static_cast<off_t>(offset + done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            bytes.resize(start);
            return posixError("read", m_path, count < 0 ? errno : ESTALE);
        }
        done += static_cast<std::size_t>(count);
    }
    return {};
}

FileStatus IndexedFile::copyRange(std::size_t offset, std::size_t length,
                                  DurableFile::Output& output) const {
    if (!unchanged())
        return posixError("read", m_path, ESTALE);
    return output.copy(m_fd.get(), static_cast<off_t>(offset), static_cast<off_t>(length), m_path);
}

bool IndexedFile::unchanged() const {
    struct stat status {};
    return m_fd.valid() && ::fstat(m_fd.get(), &status) == 0 && status.st_size == m_size &&
           nanoseconds(status.st_mtim) == m_modifiedNs;
}

} // namespace sorvane
