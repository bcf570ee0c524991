// SPDX-License-Identifier: MIT
#include "platform/tag_editor.h"

#include "platform/message_catalogue.h"
#include "platform/posix_error.h"
#include "platform/resource_reader.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace sorvane {
namespace {

constexpr const char* tagsAttribute = "user.xdg.tags";

// A link cannot carry a user attribute, and tagging what it points at would pin the wrong
// thing; so the item itself must be a file or a folder.
std::optional<FileError> checkItem(const std::filesystem::path& item) {
    struct stat status {};
    if (lstat(item.c_str(), &status) != 0)
        return posixError("tag", item, errno);
    if (S_ISLNK(status.st_mode))
        return FileError{
            EPERM, fillIn(messageText("FileError", "Could not tag %1: it is a symbolic link, which "
                                                   "cannot carry a tag."),
                          {quotedName(item)})};
    return std::nullopt;
}

FileResult<std::vector<std::string>> currentTags(const std::filesystem::path& item) {
    const auto size = lgetxattr(item.c_str(), tagsAttribute, nullptr, 0);
    if (size < 0)
        return errno == ENODATA ? FileResult(std::vector<std::string>{})
                                : FileResult<std::vector<std::string>>(
                                      posixError("read the tags of", item, errno));
    std::string value(static_cast<std::size_t>(size), '\0');
    const auto got = lgetxattr(item.c_str(), tagsAttribute, value.data(), value.size());
    if (got < 0)
        return posixError("read the tags of", item, errno);
    value.resize(static_cast<std::size_t>(got));
    return ResourceReader::parseTags(value);
}

FileStatus writeTags(const std::filesystem::path& item, const std::vector<std::string>& tags) {
    if (tags.empty()) {
        if (lremovexattr(item.c_str(), tagsAttribute) != 0 && errno != ENODATA)
            return posixError("tag", item, errno);
        return {};
    }
    std::string value;
    for (const auto& tag : tags)
        value += (value.empty() ? "" : ",") + tag;
    if (lsetxattr(item.c_str(), tagsAttribute, value.data(), value.size(), 0) != 0)
        return posixError("tag", item, errno);
    return {};
}

FileStatus edit(const std::filesystem::path& item, const std::string& tag, bool add) {
    if (auto error = checkItem(item))
        return *error;
    auto tags = currentTags(item);
    if (!tags)
        return tags.error();
    auto list = std::move(tags).value();
    const auto found = std::find(list.begin(), list.end(), tag);
    if (add == (found != list.end()))
        return {};
    if (add)
        list.push_back(tag);
    else
        list.erase(found);
    return writeTags(item, list);
}

} // namespace

FileStatus TagEditor::addTag(const std::filesystem::path& item, const std::string& tag) {
    return edit(item, tag, true);
}

FileStatus TagEditor::removeTag(const std::filesystem::path& item, const std::string& tag) {
    return edit(item, tag, false);
}

} // namespace sorvane
