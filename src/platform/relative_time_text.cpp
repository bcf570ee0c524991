// SPDX-License-Identifier: MIT
#include "platform/relative_time_text.h"

#include "platform/user_locale.h"

#include <array>
#include <chrono>
#include <memory>
#include <unicode/calendar.h>
#include <unicode/reldatefmt.h>

namespace sorvane {
namespace {

struct UnitStep {
    UCalendarDateFields field;
    URelativeDateTimeUnit unit;
};

// Largest first; each difference is taken from what the larger units left over.
constexpr std::array<UnitStep, 7> steps{{
    {UCAL_YEAR, UDAT_REL_UNIT_YEAR},
    {UCAL_MONTH, UDAT_REL_UNIT_MONTH},
    {UCAL_WEEK_OF_YEAR, UDAT_REL_UNIT_WEEK},
    {UCAL_DATE, UDAT_REL_UNIT_DAY},
    {UCAL_HOUR_OF_DAY, UDAT_REL_UNIT_HOUR},
    {UCAL_MINUTE, UDAT_REL_UNIT_MINUTE},
    {UCAL_SECOND, UDAT_REL_UNIT_SECOND},
}};

} // namespace

std::string RelativeTimeText::describe(Timestamp date, Timestamp relativeTo) {
    return describe(date, relativeTo, UserLocale::languageLocale());
}

std::string RelativeTimeText::describe(Timestamp date, Timestamp relativeTo,
                                       const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    if (U_FAILURE(status))
        return {};
    calendar->setTime(toUDate(relativeTo), status);
    const UDate target = toUDate(date);

    int32_t count = 0;
    URelativeDateTimeUnit unit = UDAT_REL_UNIT_SECOND;
    for (const UnitStep& step : steps) {
        // fieldDifference moves the calendar on by the whole units it counted.
        const int32_t difference = calendar->fieldDifference(target, step.field, status);
        if (U_FAILURE(status))
            return {};
        if (difference != 0) {
            count = difference;
            unit = step.unit;
            break;
        }
    }

    icu::RelativeDateTimeFormatter formatter(locale, nullptr, UDAT_STYLE_LONG,
                                             UDISPCTX_CAPITALIZATION_NONE, status);
    icu::UnicodeString text;
    formatter.formatNumeric(count, unit, text, status);
    if (U_FAILURE(status))
        return {};
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

} // namespace sorvane
