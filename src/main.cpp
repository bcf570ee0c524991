// Until the tray application exists, the program shows what a clean of the real Desktop
// would move, and changes nothing.
#include "engine/desktop_cleaner.h"
#include "platform/posix_file_services.h"
#include "platform/user_locale.h"
#include "platform/xdg_user_dirs.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {

// Control characters in a name would break the line or drive the terminal; show them escaped.
std::string printable(std::string_view name) {
    std::string out;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string counted(std::int64_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view argument = argc > 1 ? argv[1] : "";
    if (argument == "--version") {
        std::cout << "Sorvane " SORVANE_VERSION "\n";
        return 0;
    }
    if (!argument.empty()) {
        std::cerr << "usage: sorvane [--version]\n";
        return 2;
    }

    sorvane::UserLocale::refreshTimeZone();
    sorvane::PosixFileServices files;
    if (!files.desktopDirectory()) {
        std::cout << "Could not find your Desktop folder.\n";
        return 1;
    }
    sorvane::CleanOptions options;
    options.destination = sorvane::XdgUserDirs::documentsDirectory() / "Desktop Archive";
    const auto preview = sorvane::DesktopCleaner(files).preview(options);

    const auto waiting = static_cast<std::int64_t>(preview.eligible.size());
    if (waiting == 0)
        std::cout << "Your desktop is already clear\n";
    else
        std::cout << counted(waiting, "item", "items") << " waiting on your desktop\n";
    for (const auto& item : preview.eligible)
        std::cout << printable(item.filename().native()) << "\n";
    if (preview.tagged > 0)
        std::cout << counted(preview.tagged, "tagged file", "tagged files") << " stay"
                  << (preview.tagged == 1 ? "s" : "") << " put\n";
    return 0;
}
