// SPDX-License-Identifier: MIT
#include "platform/log_categories.h"

namespace sorvane {

Q_LOGGING_CATEGORY(logClean, "sorvane.clean", QtInfoMsg)
Q_LOGGING_CATEGORY(logInstance, "sorvane.instance", QtInfoMsg)
Q_LOGGING_CATEGORY(logDbus, "sorvane.dbus", QtInfoMsg)
Q_LOGGING_CATEGORY(logLogin, "sorvane.login", QtInfoMsg)
Q_LOGGING_CATEGORY(logSettings, "sorvane.settings", QtInfoMsg)
Q_LOGGING_CATEGORY(logPanel, "sorvane.panel", QtInfoMsg)

} // namespace sorvane
