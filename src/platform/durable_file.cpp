// SPDX-License-Identifier: MIT
#include "platform/durable_file.h"

#include "platform/posix_error.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// Enough numbered names for years of failed decodes; beyond that something else is wrong.
constexpr int maxKeptAside = 1000;

std::string randomSuffix() {
    static constexpr char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = letters[pick(generator)];
    return suffix;
}

fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The rename is only durable once the folder that holds the new name is on disk too. Some
// file systems refuse fsync on a folder (EINVAL); the data itself is safe by then, so the
// write still counts as done.
void syncFolder(const fs::path& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

/// A new file with a name nobody else can have taken, next to `path`.
FileResult<std::pair<UniqueFd, fs::path>> createTemporaryBeside(const fs::path& path) {
    int code = EEXIST;
    for (int attempt = 0; attempt < 100 && code == EEXIST; ++attempt) {
        fs::path temporary =
            folderOf(path) / ("." + path.filename().string() + "." + randomSuffix() + ".tmp");
        UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.valid())
            return std::pair{std::move(fd), std::move(temporary)};
        code = errno;
    }
    return posixError("save", path, code);
}

/// Copies the bytes of `source` to a new file `target`, for file systems without hard links.
FileStatus copyToNewFile(const fs::path& source, const fs::path& target) {
    FileResult<std::string> bytes = DurableFile::read(source);
    if (!bytes)
        return bytes.error();
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd.valid())
        return posixError("keep a copy of", source, errno);
    int code = RangeCopy::writeAt(fd.get(), *bytes, 0);
    if (code == 0 && ::fsync(fd.get()) != 0)
        code = errno;
    if (code != 0) {
        fd.reset();
        ::unlink(target.c_str());
        return posixError("keep a copy of", source, code);
    }
    return {};
}

} // namespace

FileResult<std::string> DurableFile::read(const fs::path& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return posixError("read", path, errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return posixError("read", path, errno);
    if (S_ISDIR(status.st_mode))
        return posixError("read", path, EISDIR);
    std::string bytes;
    if (status.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return posixError("read", path, errno);
        }
        if (count == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

FileStatus DurableFile::write(const fs::path& path, std::string_view bytes) {
    return write(path, [&](Output& output) { return output.text(bytes); });
}

FileStatus DurableFile::Output::text(std::string_view bytes) {
    if (const int code = RangeCopy::writeAt(m_fd, bytes, static_cast<off_t>(m_size)))
        return posixError("save", m_path, code);
    m_size += bytes.size();
    return {};
}

FileStatus DurableFile::Output::copy(int from, off_t offset, off_t length,
                                     const fs::path& fromPath) {
    const auto copied = m_ranges.copy(from, offset, m_fd, static_cast<off_t>(m_size), length);
    if (copied.code != 0)
        return posixError("save", m_path, copied.code);
    if (copied.copied != length)
        return posixError("read", fromPath, ESTALE);
    m_size += static_cast<std::size_t>(length);
    return {};
}

FileStatus DurableFile::write(const fs::path& path,
                              const std::function<FileStatus(Output&)>& fill) {
    auto created = createTemporaryBeside(path);
    if (!created)
        return created.error();
    auto [fd, temporary] = std::move(created).value();

    const auto fail = [&](FileStatus failure) {
        fd.reset();
        ::unlink(temporary.c_str());
        return failure;
    };
    const auto failWith = [&](int code) {
        return fail(posixError("save", path, code));
    };

    // A user who narrowed the file's permissions keeps them; wider ones are narrowed.
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ::fchmod(fd.get(), old.st_mode & 0600) != 0)
        return failWith(errno);
    Output output(fd.get(), path);
    if (FileStatus filled = fill(output); !filled)
        return fail(filled);
    if (::fsync(fd.get()) != 0)
        return failWith(errno);
    if (::close(fd.release()) != 0)
        return failWith(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return failWith(errno);
    syncFolder(folderOf(path));
    return {};
}

FileResult<fs::path> DurableFile::keepAside(const fs::path& path, std::string_view suffix) {
    for (int number = 1; number <= maxKeptAside; ++number) {
        fs::path target = path;
        target += std::string(suffix);
        if (number > 1)
            target += "." + std::to_string(number);

        // A second name for the same bytes costs nothing and cannot replace anything: link
        // fails when the name is taken.
        if (::link(path.c_str(), target.c_str()) == 0) {
            syncFolder(folderOf(path));
            return target;
        }
        const int code = errno;
        if (code == EEXIST)
            continue;
        if (code != EPERM && code != EMLINK && code != ENOTSUP && code != EXDEV)
            return posixError("keep a copy of", path, code);

        // No hard links here (FAT, some network and FUSE file systems): copy instead.
        const FileStatus copied = copyToNewFile(path, target);
        if (copied) {
            syncFolder(folderOf(path));
            return target;
        }
        if (copied.error().code != EEXIST)
            return copied.error();
    }
    return posixError("keep a copy of", path, EEXIST);
}

void DurableFile::makeFolder(const fs::path& folder) {
    std::error_code ignored;
    fs::create_directories(folder.parent_path(), ignored);
    ::mkdir(folder.c_str(), 0700);
}

fs::path DurableFile::resolved(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

} // namespace sorvane
