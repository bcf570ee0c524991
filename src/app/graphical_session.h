// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <vector>

namespace sorvane {

/// Whether the tray application can open its windows here: Qt aborts the program when its
/// platform finds no display, which over ssh or on a console is the usual case, and such a
/// user is better told that the command line works.
class GraphicalSession {
    Q_DECLARE_TR_FUNCTIONS(GraphicalSession)

public:
    /// The line for standard error when there is none.
    static QString missing() {
        return tr("no graphical session; the command line works: sorvane --help\n");
    }

    /// True when a platform Qt would try (-platform, else QT_QPA_PLATFORM, else X11 and
    /// Wayland) reaches its display. Platforms without a display, such as offscreen, always
    /// do; so does X11 when the X client library cannot be loaded to try it.
    static bool isReachable(const std::vector<std::string>& arguments);
};

} // namespace sorvane
