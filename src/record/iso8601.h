// SPDX-License-Identifier: MIT
#pragma once

#include "platform/timestamp.h"

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

/// Internet date-time text (RFC 3339, the ISO 8601 profile) in whole seconds.
class Iso8601 {
public:
    using TimePoint = Timestamp;

    /// "2025-03-07T09:15:00Z": UTC, the fraction of a second dropped toward the earlier
    /// second, before 1970 as after. Years
    /// 0 to 9999 take four digits as the profile requires.
    static std::string format(TimePoint time);

    /// Reads "YYYY-MM-DDThh:mm:ssZ" or the same with a "+hh:mm" / "-hh:mm" offset, each field
    /// range-checked. A fraction of a second is refused rather than dropped: the history
    /// never writes one, so its presence means the text came from somewhere else.
    /// `reason`, when given, receives why the text was refused.
    static std::optional<TimePoint> parse(std::string_view text, std::string* reason = nullptr);
};

} // namespace sorvane
