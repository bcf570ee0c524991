// SPDX-License-Identifier: MIT
#include "settings/schedule_frequency.h"

namespace sorvane {

std::string_view rawValue(ScheduleFrequency frequency) {
    return frequency == ScheduleFrequency::daily ? "daily" : "weekly";
}

std::optional<ScheduleFrequency> scheduleFrequencyFromRaw(std::string_view raw) {
    for (auto frequency : allScheduleFrequencies)
        if (rawValue(frequency) == raw)
            return frequency;
    return std::nullopt;
}

} // namespace sorvane
