// SPDX-License-Identifier: MIT
#include "platform/resource_reader.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>

namespace sorvane {
namespace {

constexpr const char* tagsAttribute = "user.xdg.tags";

Timestamp timestamp(const statx_timestamp& time) {
    // Counted in the timestamp's own width: seconds of 2400 overflow 64-bit nanoseconds.
    return Timestamp(
        Timestamp::duration(TimestampCount{time.tv_sec} * 1'000'000'000 + time.tv_nsec));
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<ResourceValues> ResourceReader::read(int folderFd, const char* name,
                                                   const char* fullPath, bool listedAsHidden,
                                                   int& error) {
    struct statx status;
    if (statx(folderFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_BASIC_STATS | STATX_BTIME | STATX_MNT_ID, &status) != 0) {
        error = errno;
        return std::nullopt;
    }
    ResourceValues values;
    const bool folder = S_ISDIR(status.stx_mode);
    values.isDirectory = folder;
    values.isRegularFile = S_ISREG(status.stx_mode);
    const char* base = fullPath;
    for (const char* at = fullPath; *at; ++at)
        if (*at == '/' && at[1] != '\0')
            base = at + 1;
    values.isHidden = base[0] == '.' || listedAsHidden;
    // A folder's size says how its file system stores entries, not what it holds, and
    // differs between file systems for the same contents; everything else reports its own
    // (a link the length of its target, a FIFO or device 0).
    if (!folder)
        values.fileSize = status.stx_size;
    if (status.stx_mask & STATX_BTIME)
        values.creationDate = timestamp(status.stx_btime);
    if (status.stx_mask & STATX_MTIME)
        values.modificationDate = timestamp(status.stx_mtime);
    if (status.stx_mask & STATX_CTIME)
        values.statusChangeDate = timestamp(status.stx_ctime);
    values.identity =
        FileIdentity{makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino};
    if (status.stx_mask & STATX_MNT_ID)
        values.mountId = status.stx_mnt_id;
    if (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        values.isMountPoint = (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    values.tagNames = tagNames(fullPath);
    return values;
}

std::optional<std::vector<std::string>> ResourceReader::tagNames(const char* fullPath) {
    char buffer[1024];
    ssize_t size = lgetxattr(fullPath, tagsAttribute, buffer, sizeof buffer);
    if (size >= 0)
        return parseTags(std::string_view(buffer, size));
    std::string large;
    // The value may grow between asking for its size and reading it.
    for (int attempt = 0; attempt < 3 && errno == ERANGE; ++attempt) {
        size = lgetxattr(fullPath, tagsAttribute, nullptr, 0);
        if (size >= 0) {
            large.resize(size);
            size = lgetxattr(fullPath, tagsAttribute, large.data(), large.size());
        }
        if (size >= 0)
            return parseTags(std::string_view(large.data(), size));
    }
    // No attribute, or a file system without user attributes (FAT, older tmpfs): untagged.
    // Any other failure leaves the question open.
    if (errno == ENODATA || errno == ENOTSUP || errno == EOPNOTSUPP)
        return std::vector<std::string>{};
    return std::nullopt;
}

std::vector<std::string> ResourceReader::parseTags(std::string_view value) {
    // Writers differ on whether the value ends with a NUL.
    while (value.ends_with('\0'))
        value.remove_suffix(1);
    std::vector<std::string> names;
    while (!value.empty()) {
        const auto comma = value.find(',');
        const auto name = trimmed(value.substr(0, comma));
        if (!name.empty())
            names.emplace_back(name);
        if (comma == std::string_view::npos)
            break;
        value.remove_prefix(comma + 1);
    }
    return names;
}

} // namespace sorvane
