// SPDX-License-Identifier: MIT
#include "app/instance_address.h"

#include "app/user_lock.h"
#include "platform/durable_file.h"
#include "platform/xdg_user_dirs.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane {

namespace fs = std::filesystem;

fs::path InstanceAddress::pathFile() {
    return UserLock::folder() / "socket-path";
}

bool InstanceAddress::isPrivateFolder(const fs::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 07777) == 0700;
}

std::optional<fs::path> InstanceAddress::chooseSocket() {
    std::vector<fs::path> folders;
    if (const auto runtime = XdgUserDirs::runtimeDirectory()) {
        folders.push_back(*runtime / "sorvane");
        ::mkdir(folders.back().c_str(), 0700);
    }
    folders.push_back(UserLock::folder());
    DurableFile::makeFolder(folders.back());
    for (const auto& folder : folders) {
        // An existing folder is taken as it is, never changed: it may not be ours.
        const fs::path socket = folder / "socket";
        if (isPrivateFolder(folder) && socket.native().size() <= maxSocketPath)
            return socket;
    }
    // A home so deep that no socket path fits, or shared folders: a private folder of a
    // name nobody can have taken.
    char folder[] = "/tmp/sorvane-XXXXXX";
    if (!::mkdtemp(folder))
        return std::nullopt;
    return fs::path(folder) / "socket";
}

FileStatus InstanceAddress::publish(const fs::path& socket) {
    return DurableFile::write(pathFile(), socket.native());
}

std::optional<fs::path> InstanceAddress::find() {
    const auto text = DurableFile::read(pathFile());
    if (!text)
        return std::nullopt;
    const fs::path socket = *text;
    if (!socket.is_absolute() || socket.native().size() > maxSocketPath ||
        !isPrivateFolder(socket.parent_path()))
        return std::nullopt;
    return socket;
}

} // namespace sorvane
