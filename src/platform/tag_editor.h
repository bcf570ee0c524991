// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <string>

namespace sorvane {

/// Adds or removes one name in an item's freedesktop tags (the "user.xdg.tags" attribute
/// that file managers show), keeping the others.
class TagEditor {
public:
    static FileStatus addTag(const std::filesystem::path& item, const std::string& tag);
    static FileStatus removeTag(const std::filesystem::path& item, const std::string& tag);
};

} // namespace sorvane
