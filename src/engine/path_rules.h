// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string_view>

namespace sorvane {

/// Lexical path rules shared by the scan and the undo.
class PathRules {
public:
    /// The path without "." and ".." components and without a trailing "/"; links are not
    /// resolved.
    static std::filesystem::path standardized(const std::filesystem::path& path);

    /// True when `path` is `folder` itself or lies anywhere below it.
    static bool isSameOrInside(std::string_view path, std::string_view folder);

    /// True when `path` lies below `folder` (not `folder` itself).
    static bool isInside(std::string_view path, std::string_view folder);

    /// The part after the last "/", without building a new path.
    static std::string_view lastComponent(const std::filesystem::path& path);
};

} // namespace sorvane
