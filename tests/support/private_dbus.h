// SPDX-License-Identifier: MIT
#pragma once

#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <string>
#include <sys/types.h>

namespace sorvane::test {

/// A private session bus for one test: a `dbus-daemon` of its own, listening in a temporary
/// folder, with DBUS_SESSION_BUS_ADDRESS pointing at it for as long as the object lives.
///
/// The bus activates no services, so nothing installed on the machine (a file manager, a
/// notification daemon) can answer in place of a test's fake. Qt caches the session bus
/// of a process at its first use: tests connect to `address()` by name instead.
class PrivateDbus {
public:
    PrivateDbus();
    ~PrivateDbus();
    PrivateDbus(const PrivateDbus&) = delete;
    PrivateDbus& operator=(const PrivateDbus&) = delete;

    /// Empty when the daemon could not be started.
    const std::string& address() const { return m_address; }
    bool running() const { return m_pid > 0 && !m_address.empty(); }

private:
    TempDir m_folder;
    ScopedEnvironment m_env;
    std::string m_address;
    pid_t m_pid = -1;
};

} // namespace sorvane::test
