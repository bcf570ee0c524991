// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_options.h"
#include "platform/resource_values.h"

#include <optional>

namespace sorvane {

/// The date an item is filed under, from its values (none when they could not be read).
/// Missing dates fall back to the other date, then to the clean date.
Timestamp groupingDate(const std::optional<ResourceValues>& values, DateBasis basis,
                       Timestamp cleanDate);

} // namespace sorvane
