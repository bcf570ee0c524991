#include "app/command_line.h"
#include "engine/desktop_cleaner.h"

int main(int argc, char** argv) {
    if (sorvane::CommandLine::handles(argc, argv))
        return sorvane::CommandLine::run(argc, argv);
    // Until the tray application is there, a plain start shows what a clean would move.
    char preview[] = "preview";
    char* arguments[] = {argv[0], preview, nullptr};
    return sorvane::CommandLine::run(2, arguments);
}
