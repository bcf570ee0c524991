// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace sorvane {

/// Renames `source` to `target` unless something exists at `target`. Returns 0 or the
/// errno value of the failure (EEXIST for a taken target, EXDEV across file systems).
int renameWithoutReplacing(const std::filesystem::path& source,
                           const std::filesystem::path& target);

} // namespace sorvane
