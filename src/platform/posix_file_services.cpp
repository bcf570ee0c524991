// SPDX-License-Identifier: MIT
#include "platform/posix_file_services.h"

#include "platform/folder_maker.h"
#include "platform/freedesktop_trash.h"
#include "platform/hidden_names.h"
#include "platform/item_copier.h"
#include "platform/no_replace_rename.h"
#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/resource_reader.h"
#include "platform/tree_remover.h"
#include "platform/unique_fd.h"
#include "platform/xdg_user_dirs.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

bool isDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

std::optional<std::uint64_t> mountIdOf(int folderFd) {
    struct statx status;
    if (statx(folderFd, "", AT_EMPTY_PATH, STATX_MNT_ID, &status) != 0 ||
        !(status.stx_mask & STATX_MNT_ID))
        return std::nullopt;
    return status.stx_mnt_id;
}

// A bind mount of a folder of the same file system has the same device number; only the
// mount id tells it from an ordinary folder.
void markMountPoint(std::optional<ResourceValues>& values,
                    std::optional<std::uint64_t> folderMount) {
    if (values && values->mountId && folderMount && *values->mountId != *folderMount)
        values->isMountPoint = true;
}

/// An open folder listing that closes itself.
class FolderStream {
public:
    explicit FolderStream(const std::filesystem::path& folder) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            m_error = errno;
            return;
        }
        m_stream = fdopendir(fd);
        if (!m_stream) {
            m_error = errno;
            close(fd);
        }
    }
    ~FolderStream() {
        if (m_stream)
            closedir(m_stream);
    }
    FolderStream(const FolderStream&) = delete;
    FolderStream& operator=(const FolderStream&) = delete;

    int error() const { return m_error; }
    int fd() const { return dirfd(m_stream); }

    /// The next entry other than "." and "..", or null at the end or on a read error
    /// (then `error()` says which).
    const dirent* next() {
        for (;;) {
            errno = 0;
            const dirent* entry = readdir(m_stream);
            if (!entry) {
                m_error = errno;
                return nullptr;
            }
            if (!isDotOrDotDot(entry->d_name))
                return entry;
        }
    }

private:
    DIR* m_stream = nullptr;
    int m_error = 0;
};

} // namespace

std::optional<std::filesystem::path> PosixFileServices::desktopDirectory() {
    const auto desktop = normalisedPath(XdgUserDirs::desktopDirectory());
    struct stat status;
    if (stat(desktop.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    // A folder of someone else's is no Desktop of ours, even where we may write to it.
    if (status.st_uid != geteuid())
        return std::nullopt;
    // By identity, so "$HOME/.", "$HOME/..", "/" and links to any of them are recognised:
    // the home folder and every folder above it hold far more than a Desktop.
    const FileIdentity identity{status.st_dev, status.st_ino};
    for (auto folder = normalisedPath(XdgUserDirs::homeDirectory());;
         folder = folder.parent_path()) {
        if (identity == identityOf(folder))
            return std::nullopt;
        if (folder == folder.parent_path())
            break;
    }
    return desktop;
}

FileResult<DirectoryListing> PosixFileServices::listDirectory(const std::filesystem::path& folder) {
    // Kept open for the values, which are read by name in this very folder.
    struct OpenFolder {
        explicit OpenFolder(const std::filesystem::path& folder) : stream(folder) {}
        FolderStream stream;
        HiddenNames hidden;
        std::optional<std::uint64_t> mount;
        std::string prefix;
    };
    auto open = std::make_shared<OpenFolder>(folder);
    auto& stream = open->stream;
    if (stream.error() != 0)
        return posixError("list the contents of", folder, stream.error());
    DirectoryListing listing;
    while (const dirent* entry = stream.next())
        listing.names.emplace_back(entry->d_name);
    if (stream.error() != 0)
        return posixError("list the contents of", folder, stream.error());

    open->hidden = HiddenNames(stream.fd());
    open->mount = mountIdOf(stream.fd());
    open->prefix = folder.native();
    if (!open->prefix.ends_with('/'))
        open->prefix += '/';
    listing.entryOf = [open = std::move(open)](const std::string& name) {
        DirectoryEntry entry{open->prefix + name, std::nullopt};
        int ignored = 0;
        entry.values = ResourceReader::read(open->stream.fd(), name.c_str(), entry.path.c_str(),
                                            open->hidden.contains(name), ignored);
        markMountPoint(entry.values, open->mount);
        return entry;
    };
    return listing;
}

FileResult<bool> PosixFileServices::directoryHoldsOnly(const std::filesystem::path& folder,
                                                       const std::string& allowedName) {
    FolderStream stream(folder);
    if (stream.error() != 0)
        return posixError("list the contents of", folder, stream.error());
    while (const dirent* entry = stream.next())
        if (entry->d_name != allowedName)
            return false;
    if (stream.error() != 0)
        return posixError("list the contents of", folder, stream.error());
    return true;
}

FileResult<ResourceValues> PosixFileServices::resourceValues(const std::filesystem::path& item) {
    const auto path = normalisedPath(item);
    const auto parent = path.has_parent_path() ? path.parent_path() : ".";
    UniqueFd parentFd(open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const HiddenNames hidden = parentFd.valid() ? HiddenNames(parentFd.get()) : HiddenNames();
    int error = 0;
    auto values = ResourceReader::read(AT_FDCWD, path.c_str(), path.c_str(),
                                       hidden.contains(path.filename().native()), error);
    if (!values)
        return posixError("read the properties of", path, error);
    return std::move(*values);
}

std::optional<FileIdentity> PosixFileServices::identity(const std::filesystem::path& item) {
    // A trailing "/" would make lstat follow a link.
    struct stat status;
    if (lstat(normalisedPath(item).c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

std::optional<FileIdentity>
PosixFileServices::identityFollowingLinks(const std::filesystem::path& path) {
    return identityOf(path);
}

FileStatus PosixFileServices::createDirectory(const std::filesystem::path& folder) {
    if (const int code = makeFolders(folder, 0777); code != 0)
        return posixError("create the folder", folder, code);
    return {};
}

FileStatus PosixFileServices::moveItem(const std::filesystem::path& source,
                                       const std::filesystem::path& target) {
    if (const int code = renameWithoutReplacing(source, target); code != 0)
        return posixError("move", source, code);
    return {};
}

FileResult<TreeSnapshot> PosixFileServices::snapshotItem(const std::filesystem::path& item) {
    return TreeSnapshot::take(item);
}

FileStatus PosixFileServices::copyItem(const std::filesystem::path& source,
                                       const std::filesystem::path& target,
                                       const TreeSnapshot& snapshot,
                                       const std::function<bool()>& cancelled,
                                       CopyDurability durability) {
    return ItemCopier(snapshot, cancelled, durability).copy(source, target);
}

FileStatus PosixFileServices::syncFolder(const std::filesystem::path& folder) {
    UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid() || (fsync(fd.get()) != 0 && errno != EINVAL))
        return posixError("save", folder, errno);
    return {};
}

FileResult<FileSystemWatch>
PosixFileServices::watchFileSystem(const std::filesystem::path& folder) {
    UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status;
    if (!fd.valid() || fstat(fd.get(), &status) != 0)
        return posixError("save", folder, errno);
    return FileSystemWatch(std::move(fd), folder, status.st_dev);
}

FileStatus PosixFileServices::syncFileSystem(const FileSystemWatch& watch) {
    if (syncfs(watch.descriptor()) != 0)
        return posixError("save", watch.path(), errno);
    return {};
}

FileStatus PosixFileServices::removeItem(const std::filesystem::path& item) {
    return TreeRemover::remove(item);
}

FileStatus PosixFileServices::removeSnapshot(const std::filesystem::path& item,
                                             const TreeSnapshot& snapshot) {
    return TreeRemover::removeSnapshot(item, snapshot);
}

FileStatus PosixFileServices::trashItem(const std::filesystem::path& item,
                                        const TrashReservationListener& reserved) {
    FreedesktopTrash trash(XdgUserDirs::dataHome(), getuid(), systemClock);
    return trash.trash(item, reserved);
}

bool PosixFileServices::fileExists(const std::filesystem::path& path) {
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

FileStatus PosixFileServices::createFolder(const std::filesystem::path& folder,
                                           const std::filesystem::path& accessOf) {
    struct stat model;
    // Without a model to copy from, only the user may enter.
    const mode_t mode = stat(accessOf.c_str(), &model) == 0 ? (model.st_mode & 0777) : 0700;
    if (const int code = makeFolder(folder, mode); code != 0)
        return posixError("create the folder", folder, code);
    return {};
}

} // namespace sorvane
