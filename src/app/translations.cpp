// SPDX-License-Identifier: MIT
#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace sorvane {
namespace {

bool loadOwn(QTranslator& translator, const QLocale& locale) {
    for (const QString& folder : Translations::folders()) {
        if (translator.load(locale, QStringLiteral("sorvane"), QStringLiteral("_"), folder))
            return true;
    }
    for (const QString& folder : Translations::folders()) {
        if (translator.load(QStringLiteral("sorvane_en"), folder))
            return true;
    }
    return false;
}

// Loads before the catalogue takes the language of what was loaded.
QString loadedLanguage(QTranslator& own, const QLocale& locale) {
    return loadOwn(own, locale) ? own.language() : QString();
}

} // namespace

Translations::Translations(const QLocale& locale)
    : m_catalogue(loadedLanguage(m_own, locale)), m_previous(MessageCatalogue::installed()) {
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
    if (!m_own.isEmpty())
        QCoreApplication::installTranslator(&m_own);
    MessageCatalogue::install(&m_catalogue);
}

Translations::~Translations() {
    MessageCatalogue::install(m_previous);
    QCoreApplication::removeTranslator(&m_own);
    QCoreApplication::removeTranslator(&m_qt);
}

QLocale Translations::userLocale() {
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    const QByteArray name = messages.split('.').constFirst();
    if (name == "C" || name == "POSIX")
        return QLocale::c();
    return QLocale::system();
}

QStringList Translations::folders() {
    QStringList folders{QCoreApplication::applicationDirPath() +
                        QStringLiteral("/" SORVANE_TRANSLATIONS_FROM_PROGRAM)};
#ifdef SORVANE_TRANSLATIONS_BUILT
    folders << QStringLiteral(SORVANE_TRANSLATIONS_BUILT);
#endif
    return folders;
}

} // namespace sorvane
