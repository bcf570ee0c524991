#pragma once

#include "engine/clean_options.h"
#include "platform/resource_values.h"

#include <memory>
#include <string>
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
    std::unique_ptr<icu::SimpleDateFormat> m_monthFormat;
    std::unique_ptr<icu::SimpleDateFormat> m_dayFormat;
};

/// The sub-folder name for one date in the user's locale and time zone.
std::string archiveFolderName(Timestamp date, GroupingStyle grouping);

} // namespace sorvane
