// SPDX-License-Identifier: MIT
#include "platform/user_locale.h"

#include "platform/message_catalogue.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <unicode/timezone.h>

namespace sorvane {
namespace {

std::string firstSetVariable(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

} // namespace

icu::Locale UserLocale::formattingLocale() {
    std::string name = firstSetVariable({"LC_ALL", "LC_TIME", "LANG"});
    // POSIX names carry a code set and a modifier ("de_DE.UTF-8@euro") that ICU does not want.
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return icu::Locale("en_US_POSIX");
    icu::Locale locale(name.c_str());
    if (locale.isBogus())
        return icu::Locale("en_US_POSIX");
    return locale;
}

icu::Locale UserLocale::languageLocale() {
    return icu::Locale(messageLanguage().c_str());
}

void UserLocale::refreshTimeZone() {
    tzset();
    icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone());
}

} // namespace sorvane
