// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace sorvane {

/// The path without "." and ".." components and without a trailing "/" (links are not
/// resolved), so that its last component is the item's name.
std::filesystem::path normalisedPath(const std::filesystem::path& path);

} // namespace sorvane
