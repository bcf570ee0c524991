// SPDX-License-Identifier: MIT
#include "ui/locale_formats.h"

#include "platform/user_locale.h"

#include <cstring>
#include <unicode/dtfmtsym.h>

namespace sorvane {
namespace {

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

} // namespace

QStringList LocaleFormats::weekdayNames() {
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(UserLocale::languageLocale(), status);
    QStringList names;
    int32_t count = 0;
    const icu::UnicodeString* weekdays =
        symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
    // ICU's array starts with an unused entry, so that index 1 is weekday number 1.
    if (U_SUCCESS(status) && weekdays)
        for (int32_t i = 1; i < count; ++i)
            names << fromIcu(weekdays[i]);
    if (names.size() != 7)
        names = {QStringLiteral("Sunday"),    QStringLiteral("Monday"),   QStringLiteral("Tuesday"),
                 QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                 QStringLiteral("Saturday")};
    return names;
}

QLocale LocaleFormats::timeLocale() {
    const icu::Locale icuLocale = UserLocale::formattingLocale();
    if (std::strcmp(icuLocale.getName(), "en_US_POSIX") == 0)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QString::fromLatin1(icuLocale.getName()));
}

QString LocaleFormats::timeEditFormat(const QLocale& locale) {
    const QString layout = locale.timeFormat(QLocale::ShortFormat);
    QString result;
    for (qsizetype i = 0; i < layout.size();) {
        const QChar c = layout[i];
        if (c == QLatin1Char('\'')) {
            // Quoted literal text stays as it is.
            const qsizetype end = layout.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? layout.size() : end + 1;
            result += layout.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < layout.size() && layout[i + run] == c)
            ++run;
        if (c == QLatin1Char('s') || c == QLatin1Char('z') || c == QLatin1Char('t')) {
            // Seconds and zones have no place in an hour-and-minute editor; nor has the
            // separator in front of them.
            while (!result.isEmpty() && !result.back().isLetter() &&
                   result.back() != QLatin1Char('\''))
                result.chop(1);
        } else {
            result += layout.mid(i, run);
        }
        i += run;
    }
    result = result.trimmed();
    return result.isEmpty() ? QStringLiteral("HH:mm") : result;
}

} // namespace sorvane
