#pragma once

#include <QString>
#include <QStringList>

namespace sorvane {

/// Calendar words and time layouts of the user's formatting locale, from ICU, so that the
/// Schedule tab writes them as the rest of the program does.
class LocaleFormats {
public:
    /// The full weekday names in the calendar's own order, starting with weekday number 1
    /// (Sunday in the Gregorian calendar).
    static QStringList weekdayNames();
    /// The locale's short time layout ("h:mm AP", "HH:mm") as a QDateTimeEdit display format.
    static QString timeEditFormat();
    /// An ICU time pattern turned into a QDateTimeEdit display format.
    static QString qtTimeFormat(const QString& icuPattern);
};

} // namespace sorvane
