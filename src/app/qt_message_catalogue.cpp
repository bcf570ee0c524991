// SPDX-License-Identifier: MIT
#include "app/qt_message_catalogue.h"

#include <QCoreApplication>

namespace sorvane {

QtMessageCatalogue::QtMessageCatalogue(const QString& language)
    : m_language(language.isEmpty() ? std::string("en") : language.toStdString()) {}

std::string QtMessageCatalogue::translate(const char* context, const char* text) const {
    return QCoreApplication::translate(context, text).toStdString();
}

} // namespace sorvane
