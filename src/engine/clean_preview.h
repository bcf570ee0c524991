// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace sorvane {

/// What a clean would move now. `eligible` is in Desktop name order; `skipped` counts every
/// item left in place, the `tagged` ones included.
struct CleanPreview {
    std::vector<std::filesystem::path> eligible;
    std::int64_t skipped = 0;
    std::int64_t tagged = 0;

    friend bool operator==(const CleanPreview&, const CleanPreview&) = default;
};

} // namespace sorvane
