// SPDX-License-Identifier: MIT
#include "platform/freedesktop_trash.h"

#include "platform/folder_maker.h"
#include "platform/no_replace_rename.h"
#include "platform/normalised_path.h"
#include "platform/percent_encoding.h"
#include "platform/posix_error.h"
#include "platform/unique_fd.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

constexpr std::string_view infoSuffix = ".trashinfo";
constexpr std::size_t longestName = NAME_MAX - infoSuffix.size();
constexpr int mostAttempts = 10000;

// A trash directory is only trusted when it is a real folder (not a link someone planted)
// that belongs to the user.
bool privateFolder(const std::filesystem::path& folder, uid_t user) {
    struct stat status;
    return lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == user;
}

int makeTrashFolders(const std::filesystem::path& trash) {
    for (const char* part : {"files", "info"})
        if (const int code = makeFolders(trash / part, 0700); code != 0)
            return code;
    return 0;
}

std::filesystem::path realFolder(const std::filesystem::path& folder, int& error) {
    char* resolved = realpath(folder.c_str(), nullptr);
    if (!resolved) {
        error = errno;
        return {};
    }
    std::filesystem::path result(resolved);
    std::free(resolved);
    return result;
}

} // namespace

FreedesktopTrash::FreedesktopTrash(std::filesystem::path dataHome, uid_t user, Clock now)
    : m_dataHome(std::move(dataHome)), m_user(user), m_now(std::move(now)) {}

FileStatus FreedesktopTrash::trash(const std::filesystem::path& item,
                                   const TrashReservationListener& reserved) {
    std::error_code ignored;
    const auto path = normalisedPath(std::filesystem::absolute(item, ignored));
    const auto name = path.filename().string();
    if (name.empty() || name == "." || name == "..")
        return posixError("move", path, EINVAL, " to the Trash");
    struct stat status;
    if (lstat(path.c_str(), &status) != 0)
        return posixError("move", path, errno, " to the Trash");

    int error = 0;
    const auto location = locationFor(path, status.st_dev, error);
    if (!location)
        return posixError("move", path, error, " to the Trash");
    if (const int code = makeTrashFolders(location->trashDirectory); code != 0)
        return posixError("move", path, code, " to the Trash");
    const auto files = location->trashDirectory / "files";
    const auto info = location->trashDirectory / "info";
    UniqueFd infoFolder(open(info.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!infoFolder.valid())
        return posixError("move", path, errno, " to the Trash");
    const std::string text = infoText(location->recordedPath);

    for (int attempt = 1; attempt <= mostAttempts; ++attempt) {
        const std::string trashName = candidateName(name, attempt);
        const std::string infoName = trashName + std::string(infoSuffix);
        // The info file is the reservation: whoever creates it first owns the name.
        UniqueFd infoFile(openat(infoFolder.get(), infoName.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!infoFile.valid()) {
            if (errno == EEXIST)
                continue;
            return posixError("move", path, errno, " to the Trash");
        }
        auto giveUp = [&](int code) {
            unlinkat(infoFolder.get(), infoName.c_str(), 0);
            return posixError("move", path, code, " to the Trash");
        };
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t written = write(infoFile.get(), text.data() + done, text.size() - done);
            if (written < 0 && errno != EINTR)
                return giveUp(errno);
            if (written > 0)
                done += written;
        }
        struct stat written;
        if (fsync(infoFile.get()) != 0 || fstat(infoFile.get(), &written) != 0 ||
            close(infoFile.release()) != 0)
            return giveUp(errno);
        const TrashReservation reservation{info / infoName, {written.st_dev, written.st_ino}};
        if (reserved && !reserved(reservation))
            return giveUp(EIO);

        const int code = renameWithoutReplacing(path, files / trashName);
        if (code == 0)
            return {};
        unlinkat(infoFolder.get(), infoName.c_str(), 0);
        // A leftover in files/ without its info file: take the next name.
        if (code != EEXIST)
            return posixError("move", path, code, " to the Trash");
    }
    return posixError("move", path, EEXIST, " to the Trash");
}

std::optional<FreedesktopTrash::Location>
FreedesktopTrash::locationFor(const std::filesystem::path& item, dev_t device, int& error) const {
    const auto homeTrash = m_dataHome / "Trash";
    // The home trash may not exist yet; its file system is that of its nearest existing
    // ancestor. Creating it is left until it is known to be the right trash.
    struct stat status;
    auto existing = homeTrash;
    while (stat(existing.c_str(), &status) != 0) {
        if (errno != ENOENT || !existing.has_relative_path()) {
            error = errno;
            return std::nullopt;
        }
        existing = existing.parent_path();
    }
    if (status.st_dev == device)
        return Location{homeTrash, item};
    return topDirectoryTrash(item, device, error);
}

std::optional<FreedesktopTrash::Location>
FreedesktopTrash::topDirectoryTrash(const std::filesystem::path& item, dev_t device,
                                    int& error) const {
    const auto parent = realFolder(item.parent_path(), error);
    if (parent.empty())
        return std::nullopt;
    struct stat status;
    if (stat(parent.c_str(), &status) != 0) {
        error = errno;
        return std::nullopt;
    }
    // The item is itself the top of a mounted file system; it cannot be moved anywhere.
    if (status.st_dev != device) {
        error = EBUSY;
        return std::nullopt;
    }
    auto top = parent;
    while (top.has_relative_path()) {
        if (stat(top.parent_path().c_str(), &status) != 0 || status.st_dev != device)
            break;
        top = top.parent_path();
    }
    const auto recorded = (parent / item.filename()).lexically_relative(top);

    // An administrator's shared $topdir/.Trash counts only when it is a real folder with
    // the sticky bit; anything else there might be a trap laid by another user.
    const auto shared = top / ".Trash";
    if (lstat(shared.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
        (status.st_mode & S_ISVTX)) {
        const auto own = shared / std::to_string(m_user);
        if ((mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && privateFolder(own, m_user))
            return Location{own, recorded};
    }
    const auto own = top / (".Trash-" + std::to_string(m_user));
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        error = errno;
        return std::nullopt;
    }
    if (!privateFolder(own, m_user)) {
        error = EPERM;
        return std::nullopt;
    }
    return Location{own, recorded};
}

std::string FreedesktopTrash::infoText(const std::filesystem::path& originalPath) const {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(m_now());
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncoding::encodePath(originalPath.native()) +
           "\nDeletionDate=" + date + "\n";
}

std::string FreedesktopTrash::candidateName(const std::string& name, int attempt) {
    std::string base = name;
    std::string extension;
    const auto dot = name.rfind('.');
    if (attempt > 1 && dot != std::string::npos && dot > 0) {
        base = name.substr(0, dot);
        extension = name.substr(dot);
    }
    const std::string number = attempt > 1 ? " " + std::to_string(attempt) : "";
    // An absurdly long "extension" is part of the name, not something worth keeping whole.
    if (number.size() + extension.size() > longestName / 2) {
        base += extension;
        extension.clear();
    }
    const std::size_t room = longestName - number.size() - extension.size();
    if (base.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base.resize(cut);
    }
    return base + number + extension;
}

} // namespace sorvane
