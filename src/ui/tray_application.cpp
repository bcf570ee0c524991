// SPDX-License-Identifier: MIT
#include "ui/tray_application.h"

#include "app/running_application.h"
#include "app/translations.h"
#include "platform/application_id.h"
#include "ui/tray_icon.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace sorvane {

int TrayApplication::run(int argc, char** argv) {
    QApplication application(argc, argv);
    const Translations translations;
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(applicationId));
    // A tray application: closing the settings window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    bool background = false;
    for (int i = 1; i < argc; ++i)
        background = background || std::strcmp(argv[i], "--background") == 0;

    RunningApplication running;
    if (!running.isPrimary()) {
        if (RunningApplication::handOver())
            return 0;
        std::fputs("Another Sorvane is busy; try again in a moment.\n", stderr);
        return 1;
    }
    TrayIcon tray(
        running.state(), [&running] { running.quitSafely(); }, !background);
    QObject::connect(&running, &RunningApplication::showRequested, &tray, &TrayIcon::showPanel);
    running.start();
    return QApplication::exec();
}

} // namespace sorvane
