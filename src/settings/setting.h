// SPDX-License-Identifier: MIT
#pragma once

#include "settings/setting_key.h"

namespace sorvane {

/// How one preference of type `T` is kept: the name it is stored under, which other
/// versions of the program read too, and its value when the stored one is missing or of
/// the wrong type or spelling. The fallback is a function because one default depends on
/// the user's folders at the time of reading.
template <class T> struct Setting {
    SettingKey key;
    const char* name;
    T (*fallback)();
};

} // namespace sorvane
