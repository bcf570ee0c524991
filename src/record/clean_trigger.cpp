// SPDX-License-Identifier: MIT
#include "record/clean_trigger.h"

namespace sorvane {

std::string_view rawValue(CleanTrigger trigger) {
    switch (trigger) {
    case CleanTrigger::manual:
        return "manual";
    case CleanTrigger::scheduled:
        return "scheduled";
    }
    return "manual";
}

std::optional<CleanTrigger> cleanTriggerFromRaw(std::string_view raw) {
    for (CleanTrigger trigger : allCleanTriggers) {
        if (rawValue(trigger) == raw) {
            return trigger;
        }
    }
    return std::nullopt;
}

} // namespace sorvane
