// SPDX-License-Identifier: MIT
#include "app/command_line.h"
#include "app/graphical_session.h"
#include "app/translations.h"
#include "ui/tray_application.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (sorvane::CommandLine::handles(argc, argv))
        return sorvane::CommandLine::run(argc, argv);
    if (!sorvane::GraphicalSession::isReachable({argv + 1, argv + argc})) {
        // Only for the translations: the tray application never starts in this process.
        QCoreApplication application(argc, argv);
        const sorvane::Translations translations;
        std::fputs(sorvane::GraphicalSession::missing().toLocal8Bit().constData(), stderr);
        return 1;
    }
    return sorvane::TrayApplication::run(argc, argv);
}
