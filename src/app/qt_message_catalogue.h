// SPDX-License-Identifier: MIT
#pragma once

#include "platform/message_catalogue.h"

#include <QString>

namespace sorvane {

/// The layers without Qt get their texts from the translators installed in the application.
class QtMessageCatalogue : public MessageCatalogue {
public:
    /// `language` is that of the program's translation that was loaded.
    explicit QtMessageCatalogue(const QString& language);
    std::string translate(const char* context, const char* text) const override;
    std::string language() const override { return m_language; }

private:
    std::string m_language;
};

} // namespace sorvane
