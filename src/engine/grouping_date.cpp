// SPDX-License-Identifier: MIT
#include "engine/grouping_date.h"

namespace sorvane {

Timestamp groupingDate(const std::optional<ResourceValues>& values, DateBasis basis,
                       Timestamp cleanDate) {
    if (basis == DateBasis::cleaned || !values)
        return cleanDate;
    const auto& first =
        basis == DateBasis::created ? values->creationDate : values->modificationDate;
    const auto& second =
        basis == DateBasis::created ? values->modificationDate : values->creationDate;
    return first.value_or(second.value_or(cleanDate));
}

} // namespace sorvane
