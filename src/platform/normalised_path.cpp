// SPDX-License-Identifier: MIT
#include "platform/normalised_path.h"

namespace sorvane {

std::filesystem::path normalisedPath(const std::filesystem::path& path) {
    auto result = path.lexically_normal();
    if (!result.has_filename() && result.has_relative_path())
        result = result.parent_path();
    return result;
}

} // namespace sorvane
