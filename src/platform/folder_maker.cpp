// SPDX-License-Identifier: MIT
#include "platform/folder_maker.h"

#include "platform/normalised_path.h"

#include <cerrno>
#include <sys/stat.h>

namespace sorvane {
namespace {

int folderStandsAt(const std::filesystem::path& folder) {
    struct stat status;
    if (stat(folder.c_str(), &status) != 0)
        return errno;
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

} // namespace

int makeFolder(const std::filesystem::path& folder, mode_t mode) {
    const auto path = normalisedPath(folder);
    if (path.empty())
        return ENOENT;
    if (mkdir(path.c_str(), mode) == 0)
        return 0;
    return errno == EEXIST ? folderStandsAt(path) : errno;
}

int makeFolders(const std::filesystem::path& folder, mode_t mode) {
    const auto path = normalisedPath(folder);
    const int code = makeFolder(path, mode);
    if (code != ENOENT || path.empty() || !path.has_relative_path() || path.parent_path() == path)
        return code;
    if (const int parent = makeFolders(path.parent_path(), mode); parent != 0)
        return parent;
    // Someone else may have created it in the meantime; that is as good.
    return makeFolder(path, mode);
}

} // namespace sorvane
