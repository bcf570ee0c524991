// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sorvane {

/// How often automatic cleaning runs: every day, or on one day of the week.
enum class ScheduleFrequency { daily, weekly };

inline constexpr std::array allScheduleFrequencies{ScheduleFrequency::daily,
                                                   ScheduleFrequency::weekly};

std::string_view rawValue(ScheduleFrequency frequency);
/// Exact, case-sensitive match of "daily" or "weekly".
std::optional<ScheduleFrequency> scheduleFrequencyFromRaw(std::string_view raw);

} // namespace sorvane
