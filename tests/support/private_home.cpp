// SPDX-License-Identifier: MIT
#include "support/private_home.h"

namespace sorvane::test {

PrivateHome::PrivateHome() {
    env.set("HOME", m_home.path());
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_STATE_HOME",
          "LC_TIME", "LANG", "LANGUAGE", "LC_MESSAGES"})
        env.unset(name);
    env.set("TZ", "UTC");
    env.set("LC_ALL", "en_US.UTF-8");
    m_desktop = m_home.makeFolder("Desktop");
    // As on any desktop account: a clean makes the archive folder, never its parents.
    m_home.makeFolder("Documents");
}

} // namespace sorvane::test
