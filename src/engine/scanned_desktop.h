// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_preview.h"
#include "platform/resource_values.h"

#include <cstdint>
#include <vector>

namespace sorvane {

/// What one look at the Desktop found: the items a clean would move, in Desktop name order,
/// each with the values the listing read, and how many stay.
struct ScannedDesktop {
    std::vector<DirectoryEntry> eligible;
    std::int64_t skipped = 0;
    std::int64_t tagged = 0;

    CleanPreview preview() const;
};

} // namespace sorvane
