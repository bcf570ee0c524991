// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// Where a failure would otherwise pass unseen. Warnings are on by default, debug output is
// off; QT_LOGGING_RULES turns either on or off per category ("sorvane.panel.debug=true").

namespace sorvane {

/// Cleans and undos: a failed save of their record, a journal that could not be recovered.
Q_DECLARE_LOGGING_CATEGORY(logClean)
/// The instance socket: a failed listen leaves later commands without this instance.
Q_DECLARE_LOGGING_CATEGORY(logInstance)
/// D-Bus calls to the notification server and the file manager that failed; no logind
/// signal for waking from sleep (info).
Q_DECLARE_LOGGING_CATEGORY(logDbus)
/// The autostart entry.
Q_DECLARE_LOGGING_CATEGORY(logLogin)
/// The preferences file: a write that failed, so a change lasts only until the program ends.
Q_DECLARE_LOGGING_CATEGORY(logSettings)
/// The panel's timing (asked, painted) and the headline it shows, as debug output.
Q_DECLARE_LOGGING_CATEGORY(logPanel)

} // namespace sorvane
