#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace sorvane {

/// Removes a file, a link or a whole folder tree with *at calls that never follow a link
/// and never enter another mounted file system.
class TreeRemover {
public:
    static FileStatus remove(const std::filesystem::path& item);

    /// Removes the entry `name` of the open folder `folderFd`. Returns 0 or the errno value
    /// of the first failure; then `failedAt` holds the entry's path relative to the folder.
    static int removeAt(int folderFd, const std::string& name, std::filesystem::path& failedAt);

private:
    static int removeEntry(int folderFd, const std::string& name, dev_t device,
                           const std::filesystem::path& relative, std::filesystem::path& failedAt);
};

} // namespace sorvane
