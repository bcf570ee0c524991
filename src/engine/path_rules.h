#pragma once

#include <filesystem>

namespace sorvane {

/// Lexical path rules shared by the scan and the undo.
class PathRules {
public:
    /// The path without "." and ".." components and without a trailing "/"; links are not
    /// resolved.
    static std::filesystem::path standardized(const std::filesystem::path& path);

    /// True when `path` is `folder` itself or lies anywhere below it.
    static bool isSameOrInside(const std::filesystem::path& path,
                               const std::filesystem::path& folder);

    /// True when `path` lies below `folder` (not `folder` itself).
    static bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder);
};

} // namespace sorvane
