// SPDX-License-Identifier: MIT
// The Desktop scan of 10,000 items, last changed two months ago, at default settings, against
// `ls -la --time=birth` of the same folder.
#include "bench_support.h"
#include "engine/desktop_cleaner.h"
#include "platform/posix_file_services.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

void makeOld(const fs::path& desktop) {
    const timespec old[2] = {{time(nullptr) - 60 * 86400, 0}, {time(nullptr) - 60 * 86400, 0}};
    for (const auto& item : fs::directory_iterator(desktop))
        utimensat(AT_FDCWD, item.path().c_str(), old, AT_SYMLINK_NOFOLLOW);
}

void makeDesktop(const fs::path& desktop, int items) {
    fs::create_directories(desktop);
    std::ofstream hidden(desktop / ".hidden");
    for (int i = 0; i < items; ++i) {
        const std::string name = "item " + std::to_string(i);
        switch (i % 10) {
        case 0:
            fs::create_directory(desktop / name);
            break;
        case 1: {
            std::ofstream(desktop / (name + ".txt")) << "tagged";
            const std::string tag = "work";
            lsetxattr((desktop / (name + ".txt")).c_str(), "user.xdg.tags", tag.data(), tag.size(),
                      0);
            break;
        }
        case 2:
            std::ofstream(desktop / ("." + name)) << "hidden";
            break;
        case 3:
            std::ofstream(desktop / (name + ".pdf")) << "listed in .hidden";
            hidden << name << ".pdf\n";
            break;
        default:
            std::ofstream(desktop / (name + ".png")) << "plain file";
        }
    }
}

} // namespace

int main() {
    char pattern[] = "/tmp/sorvane-bench-XXXXXX";
    const fs::path home = mkdtemp(pattern);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const fs::path desktop = home / "Desktop";
    makeDesktop(desktop, 10'000);
    makeOld(desktop);

    PosixFileServices files;
    CleanOptions options;
    options.destination = home / "Documents/Desktop Archive";
    std::size_t eligible = 0;
    const double scan = bench::medianMilliseconds(
        9, [&] { eligible = DesktopCleaner(files).preview(options).eligible.size(); });
    const double ls = bench::medianMilliseconds(
        9, [&] { bench::runQuietly("ls -la --time=birth '" + desktop.string() + "'"); });
    std::printf("scan found %zu eligible of 10000 (median of 9 runs)\n", eligible);
    bench::report("scan of 10,000 items", scan, "ls -la --time=birth", ls);
    fs::remove_all(home);
    return 0;
}
