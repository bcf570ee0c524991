// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sorvane {

/// What started a clean run: the user (`manual`) or the scheduler (`scheduled`).
enum class CleanTrigger { manual, scheduled };

inline constexpr std::array allCleanTriggers{CleanTrigger::manual, CleanTrigger::scheduled};

std::string_view rawValue(CleanTrigger trigger);
std::optional<CleanTrigger> cleanTriggerFromRaw(std::string_view raw);

} // namespace sorvane
