// SPDX-License-Identifier: MIT
#include "support/scoped_environment.h"

#include <cstdlib>
#include <ctime>
#include <unicode/timezone.h>

namespace sorvane::test {
namespace {

void timeZoneMayHaveChanged(const std::string& name) {
    if (name != "TZ")
        return;
    tzset();
    icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone());
}

} // namespace

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : m_saved) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
        timeZoneMayHaveChanged(name);
    }
}

void ScopedEnvironment::remember(const std::string& name) {
    if (m_saved.contains(name))
        return;
    const char* old = std::getenv(name.c_str());
    m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
}

void ScopedEnvironment::set(const std::string& name, const std::string& value) {
    remember(name);
    setenv(name.c_str(), value.c_str(), 1);
    timeZoneMayHaveChanged(name);
}

void ScopedEnvironment::unset(const std::string& name) {
    remember(name);
    unsetenv(name.c_str());
    timeZoneMayHaveChanged(name);
}

} // namespace sorvane::test
