// SPDX-License-Identifier: MIT
#pragma once

#include "app/qt_message_catalogue.h"

#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace sorvane {

/// The program's texts in a language, with Qt's own texts for its dialogs, installed into the
/// running application for as long as this object lives. The program takes the user's
/// languages (LANGUAGE, LC_MESSAGES, LANG, as `QLocale::system().uiLanguages()` gives them);
/// English, with its plural forms, is loaded when no listed language has a translation.
/// Also hands the layers without Qt their catalogue. A later one (a test's) takes the place of
/// an earlier one until it goes.
class Translations {
public:
    /// Called right after the application object exists, before any background work starts.
    explicit Translations(const QLocale& locale = userLocale());
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    /// The system's locale, with the C library's rule that messages in the C or POSIX locale
    /// stay untranslated whatever LANGUAGE lists (`LC_ALL=C sorvane …` reads English).
    static QLocale userLocale();
    /// Where the .qm files are looked for: relative to the program, installed or in the build
    /// tree, and in a build with tests where this build writes them.
    static QStringList folders();

private:
    QTranslator m_qt;
    QTranslator m_own;
    QtMessageCatalogue m_catalogue;
    const MessageCatalogue* m_previous;
};

} // namespace sorvane
