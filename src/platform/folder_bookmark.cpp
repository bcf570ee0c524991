// SPDX-License-Identifier: MIT
#include "platform/folder_bookmark.h"

#include "platform/unique_fd.h"
#include "platform/xdg_user_dirs.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view magic = "SVBK";
constexpr std::uint8_t formatVersion = 1;
constexpr std::uint8_t hasBirthTimeFlag = 1;
constexpr std::uint8_t hasGenerationFlag = 2;
// Deep enough for ~/Documents/Work/2025/Clients/Archive and then some; deeper trees are
// more likely build output than a place someone moved a folder to by hand.
constexpr int maxSearchDepth = 12;

struct Identity {
    std::uint32_t deviceMajor = 0;
    std::uint32_t deviceMinor = 0;
    std::uint64_t inode = 0;
    bool hasBirthTime = false;
    std::int64_t birthSeconds = 0;
    std::uint32_t birthNanoseconds = 0;
    bool hasGeneration = false;
    std::uint32_t generation = 0;

    bool sameDevice(const Identity& other) const {
        return deviceMajor == other.deviceMajor && deviceMinor == other.deviceMinor;
    }
    // A file system that reports a birth time for one and not the other is not to be
    // trusted with the inode number alone.
    bool sameInode(const Identity& other) const {
        return sameDevice(other) && inode == other.inode && hasBirthTime == other.hasBirthTime &&
               birthSeconds == other.birthSeconds && birthNanoseconds == other.birthNanoseconds;
    }
    bool sameFolder(const Identity& other) const {
        return sameInode(other) && hasGeneration == other.hasGeneration &&
               generation == other.generation;
    }
};

struct Bookmark {
    Identity identity;
    fs::path path;
};

struct Examined {
    Identity identity;
    bool isFolder = false;
};

std::optional<Examined> examine(int folderFd, const char* path, int flags) {
    struct statx status {};
    if (::statx(folderFd, path, flags | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_INO | STATX_BTIME,
                &status) != 0)
        return std::nullopt;
    Examined examined;
    examined.isFolder = (status.stx_mask & STATX_TYPE) && S_ISDIR(status.stx_mode);
    examined.identity.deviceMajor = status.stx_dev_major;
    examined.identity.deviceMinor = status.stx_dev_minor;
    examined.identity.inode = status.stx_ino;
    if (status.stx_mask & STATX_BTIME) {
        examined.identity.hasBirthTime = true;
        examined.identity.birthSeconds = status.stx_btime.tv_sec;
        examined.identity.birthNanoseconds = status.stx_btime.tv_nsec;
    }
    return examined;
}

/// Adds the inode's generation number where the file system keeps one (ext4, btrfs, XFS).
/// Birth times come from a coarse clock, so a folder removed and made again within a few
/// milliseconds can get the old inode and the old birth time; the generation still differs.
void addGeneration(int folderFd, const char* path, int flags, Identity& identity) {
    const int follow = (flags & AT_SYMLINK_NOFOLLOW) ? O_NOFOLLOW : 0;
    UniqueFd fd(::openat(folderFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | follow));
    int generation = 0;
    if (fd.valid() && ::ioctl(fd.get(), FS_IOC_GETVERSION, &generation) == 0) {
        identity.hasGeneration = true;
        identity.generation = static_cast<std::uint32_t>(generation);
    }
}

std::optional<Identity> folderIdentity(const fs::path& path) {
    auto examined = examine(AT_FDCWD, path.c_str(), 0);
    if (!examined || !examined->isFolder)
        return std::nullopt;
    addGeneration(AT_FDCWD, path.c_str(), 0, examined->identity);
    return examined->identity;
}

template <class T> void put(std::string& bytes, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

/// Reads the little-endian fields written by `put`, refusing to run past the end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    template <class T> bool get(T& value) {
        if (m_bytes.size() < sizeof(T))
            return false;
        std::uint64_t result = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            result |= static_cast<std::uint64_t>(static_cast<unsigned char>(m_bytes[i])) << (8 * i);
        value = static_cast<T>(result);
        m_bytes.remove_prefix(sizeof(T));
        return true;
    }
    bool take(std::size_t count, std::string_view& out) {
        if (m_bytes.size() < count)
            return false;
        out = m_bytes.substr(0, count);
        m_bytes.remove_prefix(count);
        return true;
    }
    bool atEnd() const { return m_bytes.empty(); }

private:
    std::string_view m_bytes;
};

std::optional<Bookmark> decode(std::string_view bytes) {
    Reader reader(bytes);
    std::string_view tag;
    std::uint8_t version = 0;
    std::uint8_t flags = 0;
    Bookmark bookmark;
    Identity& identity = bookmark.identity;
    std::uint32_t pathLength = 0;
    std::string_view path;
    if (!reader.take(magic.size(), tag) || tag != magic || !reader.get(version) ||
        version != formatVersion || !reader.get(flags) || !reader.get(identity.deviceMajor) ||
        !reader.get(identity.deviceMinor) || !reader.get(identity.inode) ||
        !reader.get(identity.birthSeconds) || !reader.get(identity.birthNanoseconds) ||
        !reader.get(identity.generation) || !reader.get(pathLength) ||
        !reader.take(pathLength, path) || !reader.atEnd())
        return std::nullopt;
    identity.hasBirthTime = flags & hasBirthTimeFlag;
    identity.hasGeneration = flags & hasGenerationFlag;
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    bookmark.path = fs::path(std::string(path));
    return bookmark;
}

/// Breadth-first walk of the folders below a root, on one device, links not followed.
class FolderSearch {
public:
    FolderSearch(const Identity& wanted, std::chrono::steady_clock::time_point deadline)
        : m_wanted(wanted), m_deadline(deadline) {
        m_excluded.push_back(XdgUserDirs::dataHome() / "Trash");
    }

    /// The wanted folder among the entries of `folder`, without going deeper.
    std::optional<fs::path> lookIn(const fs::path& folder) { return list(folder, 0, false); }

    std::optional<fs::path> searchBelow(const fs::path& root) {
        m_visible.push_back({root, 0});
        // Hidden folders (caches, tool state) are large and rarely where anyone puts an
        // archive, so they wait until every visible folder has been looked at.
        while (!m_visible.empty() || !m_hidden.empty()) {
            if (std::chrono::steady_clock::now() > m_deadline)
                return std::nullopt;
            auto& queue = m_visible.empty() ? m_hidden : m_visible;
            const auto [folder, depth] = std::move(queue.front());
            queue.pop_front();
            if (auto found = list(folder, depth, true))
                return found;
        }
        return std::nullopt;
    }

private:
    struct Pending {
        fs::path folder;
        int depth = 0;
    };

    bool isExcluded(const fs::path& folder, std::string_view name) const {
        if (name.starts_with(".Trash"))
            return true;
        for (const fs::path& excluded : m_excluded)
            if (folder == excluded)
                return true;
        return false;
    }

    std::optional<fs::path> list(const fs::path& folder, int depth, bool descend) {
        UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.valid())
            return std::nullopt;
        DIR* stream = ::fdopendir(fd.get());
        if (!stream)
            return std::nullopt;
        fd.release();
        std::optional<fs::path> found;
        while (const dirent* entry = ::readdir(stream)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)
                continue;
            auto examined = examine(::dirfd(stream), entry->d_name, AT_SYMLINK_NOFOLLOW);
            if (!examined || !examined->isFolder)
                continue;
            fs::path child = folder / std::string(name);
            if (examined->identity.sameInode(m_wanted)) {
                addGeneration(::dirfd(stream), entry->d_name, AT_SYMLINK_NOFOLLOW,
                              examined->identity);
                if (examined->identity.sameFolder(m_wanted)) {
                    found = std::move(child);
                    break;
                }
            }
            if (descend && depth + 1 < maxSearchDepth && examined->identity.sameDevice(m_wanted) &&
                !isExcluded(child, name))
                (name.starts_with('.') ? m_hidden : m_visible).push_back({child, depth + 1});
        }
        ::closedir(stream);
        return found;
    }

    Identity m_wanted;
    std::chrono::steady_clock::time_point m_deadline;
    std::vector<fs::path> m_excluded;
    std::deque<Pending> m_visible;
    std::deque<Pending> m_hidden;
};

} // namespace

std::optional<std::string> FolderBookmark::create(const fs::path& folder) {
    std::string path = folder.lexically_normal().string();
    // Stored paths carry no trailing slash, so the bookmark's must not either.
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    const auto identity = folderIdentity(folder);
    if (!identity)
        return std::nullopt;
    std::string bytes(magic);
    put(bytes, formatVersion);
    put(bytes, static_cast<std::uint8_t>((identity->hasBirthTime ? hasBirthTimeFlag : 0) |
                                         (identity->hasGeneration ? hasGenerationFlag : 0)));
    put(bytes, identity->deviceMajor);
    put(bytes, identity->deviceMinor);
    put(bytes, identity->inode);
    put(bytes, identity->birthSeconds);
    put(bytes, identity->birthNanoseconds);
    put(bytes, identity->generation);
    put(bytes, static_cast<std::uint32_t>(path.size()));
    bytes += path;
    return bytes;
}

std::optional<FolderBookmark::Resolution>
FolderBookmark::resolve(const std::string& bytes, std::chrono::milliseconds searchTime) {
    const auto bookmark = decode(bytes);
    if (!bookmark)
        return std::nullopt;
    if (const auto identity = folderIdentity(bookmark->path);
        identity && identity->sameFolder(bookmark->identity))
        return Resolution{bookmark->path, false};

    FolderSearch search(bookmark->identity, std::chrono::steady_clock::now() + searchTime);
    if (auto renamed = search.lookIn(bookmark->path.parent_path()))
        return Resolution{*renamed, true};
    if (auto moved = search.searchBelow(XdgUserDirs::homeDirectory()))
        return Resolution{*moved, true};
    return std::nullopt;
}

std::optional<std::uint64_t> FolderBookmark::device(const std::string& bytes) {
    const auto bookmark = decode(bytes);
    if (!bookmark)
        return std::nullopt;
    return makedev(bookmark->identity.deviceMajor, bookmark->identity.deviceMinor);
}

bool FolderBookmark::names(const std::string& bytes, const fs::path& folder) {
    const auto bookmark = decode(bytes);
    const auto identity = folderIdentity(folder);
    return bookmark && identity && identity->sameFolder(bookmark->identity);
}

} // namespace sorvane
