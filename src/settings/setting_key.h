// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane {

/// One user preference, as named in change announcements.
enum class SettingKey {
    destinationPath,
    destinationBookmark,
    grouping,
    dateBasis,
    agentEnabled,
    frequency,
    runHour,
    runMinute,
    weekday,
    keepRecentDays,
    includeHidden,
    moveFolders,
    keepTaggedFiles,
    showNotifications,
    lastRun,
    hasCompletedSetup,
};

} // namespace sorvane
