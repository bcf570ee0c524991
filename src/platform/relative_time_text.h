// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <string>
#include <unicode/locid.h>

namespace sorvane {

/// "in 3 hours", "in 1 day", "3 hours ago": how far a moment lies from another, in words of
/// the user's locale.
///
/// The unit is the largest one of which at least one whole lies between the two moments
/// (years, months, weeks, days, hours, minutes, seconds), counted in the user's calendar and
/// current time zone, so that a day across a daylight-saving change is still one day. The
/// count is truncated: 2 hours 59 minutes reads "in 2 hours", as desktop formatters do.
class RelativeTimeText {
public:
    /// In the language of the program's texts; UTF-8.
    static std::string describe(Timestamp date, Timestamp relativeTo);
    static std::string describe(Timestamp date, Timestamp relativeTo, const icu::Locale& locale);
};

} // namespace sorvane
