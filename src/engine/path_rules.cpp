// SPDX-License-Identifier: MIT
#include "engine/path_rules.h"

namespace sorvane {

std::filesystem::path PathRules::standardized(const std::filesystem::path& path) {
    std::string text = path.lexically_normal().native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool PathRules::isSameOrInside(std::string_view path, std::string_view folder) {
    return path == folder || isInside(path, folder);
}

bool PathRules::isInside(std::string_view path, std::string_view folder) {
    if (folder == "/")
        return path.size() > 1 && path.front() == '/';
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

std::string_view PathRules::lastComponent(const std::filesystem::path& path) {
    const std::string_view text = path.native();
    const auto slash = text.rfind('/');
    return slash == std::string_view::npos ? text : text.substr(slash + 1);
}

} // namespace sorvane
