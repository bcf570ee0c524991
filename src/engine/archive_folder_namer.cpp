#include "engine/archive_folder_namer.h"

#include "engine/icu_time.h"
#include "platform/user_locale.h"

namespace sorvane {
namespace {

std::unique_ptr<icu::SimpleDateFormat> makeFormat(const char* pattern, const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(pattern, -1, US_INV),
                                                          locale, status);
    if (U_FAILURE(status))
        format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(pattern, -1, US_INV),
                                                         icu::Locale::getRoot(), status);
    return format;
}

} // namespace

// "yyyy" is the calendar year: "YYYY" would put 1 January 2027 into a 2026 folder.
// "MMMM" is the formatting form of the month name, which some languages inflect.
ArchiveFolderNamer::ArchiveFolderNamer(const icu::Locale& locale)
    : m_monthFormat(makeFormat("yyyy-MM MMMM", locale)),
      m_dayFormat(makeFormat("yyyy-MM-dd", locale)) {}

std::string ArchiveFolderNamer::name(Timestamp date, GroupingStyle grouping) const {
    const auto& format = grouping == GroupingStyle::month ? m_monthFormat : m_dayFormat;
    icu::UnicodeString text;
    format->format(IcuTime::toUDate(date), text);
    std::string name;
    text.toUTF8String(name);
    return name;
}

std::string archiveFolderName(Timestamp date, GroupingStyle grouping) {
    return ArchiveFolderNamer(UserLocale::formattingLocale()).name(date, grouping);
}

} // namespace sorvane
