// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_options.h"
#include "platform/resource_values.h"

#include <memory>
#include <optional>
#include <string>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

namespace sorvane {

/// Names the archive sub-folder a date belongs to: "2025-03 March" by month, "2025-03-07" by
/// day, in the locale's calendar and the current default time zone.
///
/// Building ICU formatters is the expensive part, so a clean run makes one namer and asks it
/// for every item.
class ArchiveFolderNamer {
public:
    explicit ArchiveFolderNamer(const icu::Locale& locale);
    ArchiveFolderNamer(const ArchiveFolderNamer&) = delete;
    ArchiveFolderNamer& operator=(const ArchiveFolderNamer&) = delete;

    std::string name(Timestamp date, GroupingStyle grouping) const;

private:
    /// A name and the span of time, one local day or month, that has it.
    struct Span {
        UDate start = 0;
        UDate end = 0;
        std::string name;
    };
    std::optional<Span> spanAround(UDate date, GroupingStyle grouping) const;

    std::unique_ptr<icu::SimpleDateFormat> m_monthFormat;
    std::unique_ptr<icu::SimpleDateFormat> m_dayFormat;
    std::unique_ptr<icu::Calendar> m_calendar;
    // Most items of a run share a few days; formatting each date anew was a good part of
    // the cost of a large clean.
    mutable std::optional<Span> m_lastSpan[2];
};

/// The sub-folder name for one date in the user's locale and time zone.
std::string archiveFolderName(Timestamp date, GroupingStyle grouping);

} // namespace sorvane
