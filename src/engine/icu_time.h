#pragma once

#include "platform/resource_values.h"

#include <unicode/utypes.h>

namespace sorvane {

/// Conversions between our timestamps and ICU's milliseconds since 1970.
class IcuTime {
public:
    static UDate toUDate(Timestamp time);
    static Timestamp fromUDate(UDate date);
};

} // namespace sorvane
