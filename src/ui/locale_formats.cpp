#include "ui/locale_formats.h"

#include "platform/user_locale.h"

#include <memory>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>

namespace sorvane {
namespace {

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

} // namespace

QStringList LocaleFormats::weekdayNames() {
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(UserLocale::formattingLocale(), status);
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

QString LocaleFormats::timeEditFormat() {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createTimeInstance(
        icu::DateFormat::kShort, UserLocale::formattingLocale()));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    if (!simple)
        return QStringLiteral("HH:mm");
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return qtTimeFormat(fromIcu(pattern));
}

QString LocaleFormats::qtTimeFormat(const QString& icuPattern) {
    QString result;
    bool twelveHour = false;
    bool hasPeriod = false;
    for (qsizetype i = 0; i < icuPattern.size();) {
        const QChar c = icuPattern[i];
        qsizetype run = 1;
        while (i + run < icuPattern.size() && icuPattern[i + run] == c)
            ++run;
        if (c == QLatin1Char('\'')) {
            // Quoted literal text, passed on with Qt's own quoting.
            const qsizetype end = icuPattern.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? icuPattern.size() : end + 1;
            result += icuPattern.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c == QLatin1Char('h') || c == QLatin1Char('K')) {
            twelveHour = true;
            result += run >= 2 ? QStringLiteral("hh") : QStringLiteral("h");
        } else if (c == QLatin1Char('H') || c == QLatin1Char('k')) {
            result += run >= 2 ? QStringLiteral("HH") : QStringLiteral("H");
        } else if (c == QLatin1Char('m')) {
            result += QStringLiteral("mm");
        } else if (c == QLatin1Char('a') || c == QLatin1Char('b') || c == QLatin1Char('B')) {
            hasPeriod = true;
            result += QStringLiteral("AP");
        } else if (c.isLetter()) {
            // Seconds, zones and the like have no place in an hour-and-minute picker.
        } else {
            result += QString(run, c);
        }
        i += run;
    }
    if (twelveHour && !hasPeriod)
        result += QStringLiteral(" AP");
    result = result.trimmed();
    return result.isEmpty() ? QStringLiteral("HH:mm") : result;
}

} // namespace sorvane
