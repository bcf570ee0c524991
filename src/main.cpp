#include "app/command_line.h"
#include "app/graphical_session.h"
#include "ui/tray_application.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (sorvane::CommandLine::handles(argc, argv))
        return sorvane::CommandLine::run(argc, argv);
    if (!sorvane::GraphicalSession::isReachable({argv + 1, argv + argc})) {
        std::fputs(sorvane::GraphicalSession::missing, stderr);
        return 1;
    }
    return sorvane::TrayApplication::run(argc, argv);
}
