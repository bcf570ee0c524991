// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace sorvane {

/// Calendar words in the language of the program's texts and the time editor's layout for the
/// user's formatting locale. Weekday names come from ICU, as the rest of the program writes them;
/// the time editor uses Qt's own layout and AM/PM texts for that locale, because it must parse what
/// the user types with exactly the texts it shows (ICU's layouts hold characters, such as a narrow
/// no-break space, that nobody types).
class LocaleFormats {
public:
    /// The full weekday names in the calendar's own order, starting with weekday number 1
    /// (Sunday in the Gregorian calendar).
    static QStringList weekdayNames();
    /// The user's formatting locale (LC_ALL, LC_TIME, LANG) as a QLocale.
    static QLocale timeLocale();
    /// The locale's short time layout ("h:mm AP", "AP h:mm", "HH:mm") without seconds or
    /// zone, as a QDateTimeEdit display format.
    static QString timeEditFormat(const QLocale& locale);
};

} // namespace sorvane
