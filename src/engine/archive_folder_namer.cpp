// SPDX-License-Identifier: MIT
#include "engine/archive_folder_namer.h"

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
      m_dayFormat(makeFormat("yyyy-MM-dd", locale)),
      m_calendar(m_dayFormat->getCalendar()->clone()) {}

std::string ArchiveFolderNamer::name(Timestamp date, GroupingStyle grouping) const {
    const UDate when = toUDate(date);
    auto& last = m_lastSpan[grouping == GroupingStyle::month ? 0 : 1];
    if (last && when >= last->start && when < last->end)
        return last->name;

    const auto& format = grouping == GroupingStyle::month ? m_monthFormat : m_dayFormat;
    icu::UnicodeString text;
    format->format(when, text);
    std::string name;
    text.toUTF8String(name);
    last = spanAround(when, grouping);
    if (last)
        last->name = name;
    return name;
}

std::optional<ArchiveFolderNamer::Span>
ArchiveFolderNamer::spanAround(UDate date, GroupingStyle grouping) const {
    if (!m_calendar)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    m_calendar->setTime(date, status);
    for (auto field : {UCAL_HOUR_OF_DAY, UCAL_MINUTE, UCAL_SECOND, UCAL_MILLISECOND})
        m_calendar->set(field, 0);
    if (grouping == GroupingStyle::month)
        m_calendar->set(UCAL_DATE, 1);
    Span span;
    span.start = m_calendar->getTime(status);
    m_calendar->add(grouping == GroupingStyle::month ? UCAL_MONTH : UCAL_DATE, 1, status);
    span.end = m_calendar->getTime(status);
    // A day whose midnight was skipped by a clock change may not start where asked.
    if (U_FAILURE(status) || date < span.start || date >= span.end)
        return std::nullopt;
    return span;
}

std::string archiveFolderName(Timestamp date, GroupingStyle grouping) {
    return ArchiveFolderNamer(UserLocale::formattingLocale()).name(date, grouping);
}

} // namespace sorvane
