#pragma once

#include "platform/file_error.h"
#include "platform/resource_values.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

/// Everything the cleaning engine asks of the file system. One POSIX implementation serves
/// the program; tests wrap it to make chosen operations fail.
///
/// No operation follows a symbolic link that is the item itself: a link is moved, copied,
/// removed and described as a link.
class FileServices {
public:
    virtual ~FileServices() = default;

    /// The user's Desktop folder, or none when there is no usable one.
    virtual std::optional<std::filesystem::path> desktopDirectory() = 0;

    /// One level of a folder's entries, hidden ones included, each with its values.
    virtual FileResult<std::vector<DirectoryEntry>>
    contentsOfDirectory(const std::filesystem::path& folder) = 0;

    /// Whether every entry of the folder is named `allowedName` (an empty folder qualifies).
    /// Stops reading at the first other entry.
    virtual FileResult<bool> directoryHoldsOnly(const std::filesystem::path& folder,
                                                const std::string& allowedName) = 0;

    virtual FileResult<ResourceValues> resourceValues(const std::filesystem::path& item) = 0;

    /// Identity of what `path` names, following symbolic links on the way.
    virtual std::optional<FileIdentity>
    identityFollowingLinks(const std::filesystem::path& path) = 0;

    /// Creates the folder and any missing parents; an existing folder is success.
    virtual FileStatus createDirectory(const std::filesystem::path& folder) = 0;

    /// Renames without ever replacing an existing target. Fails with EXDEV when source and
    /// target lie on different file systems.
    virtual FileStatus moveItem(const std::filesystem::path& source,
                                const std::filesystem::path& target) = 0;

    /// Copies an item (a folder with everything in it) keeping mode, times, extended
    /// attributes and links as links. Fails when the target exists.
    virtual FileStatus copyItem(const std::filesystem::path& source,
                                const std::filesystem::path& target) = 0;

    /// Removes a file, link or whole folder tree.
    virtual FileStatus removeItem(const std::filesystem::path& item) = 0;

    /// Moves the item to the user's Trash.
    virtual FileStatus trashItem(const std::filesystem::path& item) = 0;

    /// True when anything, a dangling link included, exists at the path.
    virtual bool fileExists(const std::filesystem::path& path) = 0;

    /// Walks the whole tree below `folder` without following links.
    virtual FileResult<FolderSummary> folderSummary(const std::filesystem::path& folder) = 0;

    /// Access to a folder outside the program's own reach. Linux grants no such thing, so
    /// this says false and `stopAccessing` is never due.
    virtual bool startAccessingSecurityScopedResource(const std::filesystem::path& folder) = 0;
    virtual void stopAccessingSecurityScopedResource(const std::filesystem::path& folder) = 0;

    /// Creates one folder whose parent exists, never its parents, with no more access than
    /// `accessOf` grants. An existing folder is success and keeps the access it has.
    virtual FileStatus createFolder(const std::filesystem::path& folder,
                                    const std::filesystem::path& accessOf) = 0;
};

} // namespace sorvane
