// SPDX-License-Identifier: MIT
#pragma once

#include <unicode/locid.h>

namespace sorvane {

/// The user's formatting locale and time zone as the environment gives them.
///
/// ICU takes its default locale from LC_MESSAGES, which is the wrong variable for dates, and
/// caches the time zone for the life of the process; both are read here instead.
class UserLocale {
public:
    /// The locale named by LC_ALL, else LC_TIME, else LANG ("de_DE.UTF-8" gives de_DE);
    /// "C", "POSIX" or nothing give en_US_POSIX.
    static icu::Locale formattingLocale();
    /// The language the program's texts are shown in, for words that stand in a sentence:
    /// weekday and month names, "in 3 hours". Dates keep the formatting locale's order and
    /// hour cycle.
    static icu::Locale languageLocale();

    /// Makes ICU's default time zone follow the host's current one (TZ or /etc/localtime),
    /// so that a laptop that changed time zone is followed.
    static void refreshTimeZone();
};

} // namespace sorvane
