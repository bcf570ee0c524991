#include "platform/tree_remover.h"

#include "platform/normalised_path.h"
#include "platform/posix_error.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane {

FileStatus TreeRemover::remove(const std::filesystem::path& item) {
    const auto path = normalisedPath(item);
    const auto name = path.filename();
    if (name.empty() || name == "." || name == "..")
        return posixError("remove", path, EINVAL);
    const auto parent = path.has_parent_path() ? path.parent_path() : ".";
    UniqueFd folder(open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return posixError("remove", path, errno);
    std::filesystem::path failedAt;
    if (const int code = removeAt(folder.get(), name.string(), failedAt); code != 0)
        return posixError("remove", path, failedAt, code);
    return {};
}

int TreeRemover::removeAt(int folderFd, const std::string& name, std::filesystem::path& failedAt) {
    struct stat folder;
    if (fstat(folderFd, &folder) != 0) {
        failedAt = name;
        return errno;
    }
    return removeEntry(folderFd, name, folder.st_dev, name, failedAt);
}

int TreeRemover::removeEntry(int folderFd, const std::string& name, dev_t device,
                             const std::filesystem::path& relative,
                             std::filesystem::path& failedAt) {
    auto fail = [&](int code) {
        failedAt = relative;
        return code;
    };
    if (unlinkat(folderFd, name.c_str(), 0) == 0)
        return 0;
    const int unlinkError = errno;
    struct stat status;
    if (fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return fail(errno);
    if (!S_ISDIR(status.st_mode))
        return fail(unlinkError);
    // A file system mounted inside the tree is not ours to empty.
    if (status.st_dev != device)
        return fail(EBUSY);

    const int fd = openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    DIR* stream = fdopendir(fd);
    if (!stream) {
        const int code = errno;
        close(fd);
        return fail(code);
    }
    // Names are gathered before anything is removed: not every file system promises a
    // complete listing while entries disappear under it.
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
        const std::string_view entryName = entry->d_name;
        if (entryName != "." && entryName != "..")
            names.emplace_back(entryName);
        errno = 0;
    }
    const int readError = errno;
    int result = readError;
    for (const auto& child : names) {
        if (result != 0)
            break;
        result = removeEntry(dirfd(stream), child, device, relative / child, failedAt);
    }
    closedir(stream);
    if (readError != 0)
        return fail(readError);
    if (result != 0)
        return result;
    if (unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) != 0)
        return fail(errno);
    return 0;
}

} // namespace sorvane
