// SPDX-License-Identifier: MIT
#pragma once

#include "platform/posix_file_services.h"
#include "platform/wake_monitor.h"
#include "settings/json_preferences_store.h"

namespace sorvane {

/// The real services that need no graphical session: the file system, the stored
/// preferences and the wake monitor, which reaches the system bus only once started. The
/// commands that only look use these alone, so they stay cheap; `ApplicationParts` builds
/// the rest of the program on them. Between the two, the one place that picks the real
/// implementations.
class LocalServices {
public:
    FileServices& files() { return m_files; }
    PreferencesStore& preferences() { return m_preferences; }
    WakeMonitor& wakeMonitor() { return m_wakeMonitor; }

private:
    PosixFileServices m_files;
    JsonPreferencesStore m_preferences{JsonPreferencesStore::defaultFile()};
    WakeMonitor m_wakeMonitor;
};

} // namespace sorvane
