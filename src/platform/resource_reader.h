// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

/// Reads the values of one item with one statx call (birth time included where the file
/// system keeps one) and one read of the `user.xdg.tags` attribute, never following a link.
class ResourceReader {
public:
    /// `name` is relative to `folderFd` (or a full path with AT_FDCWD); `fullPath` names the
    /// same item for the attribute read, which has no folder-relative form. Returns none
    /// and sets `error` when the item cannot be examined.
    static std::optional<ResourceValues> read(int folderFd, const char* name, const char* fullPath,
                                              bool listedAsHidden, int& error);

    /// The names of `user.xdg.tags`: an empty list when the item has none or its file system
    /// keeps no such attributes; none when the read fails otherwise.
    static std::optional<std::vector<std::string>> tagNames(const char* fullPath);

    /// Splits the comma-separated attribute value, dropping blanks around and empty names.
    static std::vector<std::string> parseTags(std::string_view value);
};

} // namespace sorvane
