// SPDX-License-Identifier: MIT
#include "engine/clean_options.h"

namespace sorvane {

std::string_view rawValue(GroupingStyle grouping) {
    return grouping == GroupingStyle::month ? "month" : "day";
}

std::string_view rawValue(DateBasis basis) {
    switch (basis) {
    case DateBasis::created:
        return "created";
    case DateBasis::modified:
        return "modified";
    case DateBasis::cleaned:
        return "cleaned";
    }
    return {};
}

std::optional<GroupingStyle> groupingStyleFromRaw(std::string_view raw) {
    for (auto grouping : allGroupingStyles)
        if (rawValue(grouping) == raw)
            return grouping;
    return std::nullopt;
}

std::optional<DateBasis> dateBasisFromRaw(std::string_view raw) {
    for (auto basis : allDateBases)
        if (rawValue(basis) == raw)
            return basis;
    return std::nullopt;
}

} // namespace sorvane
