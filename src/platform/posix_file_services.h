// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_services.h"

namespace sorvane {

/// The file services of a Linux system, by direct system calls. Holds no state: one object
/// may serve several threads.
class PosixFileServices : public FileServices {
public:
    /// The XDG Desktop folder; none when it is missing, not a folder, not the user's own, or
    /// is the home folder or any folder above it (`XDG_DESKTOP_DIR="$HOME/"` is how users
    /// switch the Desktop off, and a clean must never sweep a whole home folder).
    std::optional<std::filesystem::path> desktopDirectory() override;
    FileResult<DirectoryListing> listDirectory(const std::filesystem::path& folder) override;
    FileResult<bool> directoryHoldsOnly(const std::filesystem::path& folder,
                                        const std::string& allowedName) override;
    FileResult<ResourceValues> resourceValues(const std::filesystem::path& item) override;
    std::optional<FileIdentity> identity(const std::filesystem::path& item) override;
    std::optional<FileIdentity> identityFollowingLinks(const std::filesystem::path& path) override;
    FileStatus createDirectory(const std::filesystem::path& folder) override;
    FileStatus moveItem(const std::filesystem::path& source,
                        const std::filesystem::path& target) override;
    FileResult<TreeSnapshot> snapshotItem(const std::filesystem::path& item) override;
    FileStatus copyItem(const std::filesystem::path& source, const std::filesystem::path& target,
                        const TreeSnapshot& snapshot, const std::function<bool()>& cancelled,
                        CopyDurability durability) override;
    FileStatus syncFolder(const std::filesystem::path& folder) override;
    FileResult<FileSystemWatch> watchFileSystem(const std::filesystem::path& folder) override;
    FileStatus syncFileSystem(const FileSystemWatch& watch) override;
    FileStatus removeItem(const std::filesystem::path& item) override;
    FileStatus removeSnapshot(const std::filesystem::path& item,
                              const TreeSnapshot& snapshot) override;
    /// Into the home trash under $XDG_DATA_HOME, or the trash of the item's own file system.
    FileStatus trashItem(const std::filesystem::path& item,
                         const TrashReservationListener& reserved) override;
    bool fileExists(const std::filesystem::path& path) override;
    FileStatus createFolder(const std::filesystem::path& folder,
                            const std::filesystem::path& accessOf) override;
};

} // namespace sorvane
