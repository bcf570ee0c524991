#include "app/command_line.h"
#include "ui/tray_application.h"

int main(int argc, char** argv) {
    if (sorvane::CommandLine::handles(argc, argv))
        return sorvane::CommandLine::run(argc, argv);
    return sorvane::TrayApplication::run(argc, argv);
}
