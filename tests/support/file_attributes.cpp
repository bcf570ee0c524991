// SPDX-License-Identifier: MIT
#include "support/file_attributes.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace sorvane::test {
namespace {

constexpr const char* tagAttribute = "user.xdg.tags";

void check(bool ok, const std::string& what, const std::filesystem::path& item) {
    if (!ok)
        throw std::runtime_error(what + " failed for " + item.string());
}

} // namespace

void setModificationTime(const std::filesystem::path& item, Timestamp time) {
    using namespace std::chrono;
    const auto wholeSeconds = floor<seconds>(time);
    const timespec when{static_cast<time_t>(wholeSeconds.time_since_epoch().count()),
                        static_cast<long>(nanoseconds(time - wholeSeconds).count())};
    const timespec times[2] = {when, when};
    check(utimensat(AT_FDCWD, item.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0, "utimensat", item);
}

void setTags(const std::filesystem::path& item, const std::string& value) {
    check(lsetxattr(item.c_str(), tagAttribute, value.data(), value.size(), 0) == 0, "lsetxattr",
          item);
}

std::optional<std::string> tags(const std::filesystem::path& item) {
    char buffer[4096];
    const auto size = lgetxattr(item.c_str(), tagAttribute, buffer, sizeof buffer);
    if (size < 0)
        return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(size));
}

Timestamp modificationTime(const std::filesystem::path& item) {
    struct stat st {};
    check(lstat(item.c_str(), &st) == 0, "lstat", item);
    using namespace std::chrono;
    return Timestamp(duration_cast<Timestamp::duration>(seconds(st.st_mtim.tv_sec) +
                                                        nanoseconds(st.st_mtim.tv_nsec)));
}

std::uint64_t deviceOf(const std::filesystem::path& item) {
    struct stat st {};
    check(lstat(item.c_str(), &st) == 0, "lstat", item);
    return st.st_dev;
}

} // namespace sorvane::test
