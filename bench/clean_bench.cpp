// The clean run and the undo against coreutils `mv` doing the same work in the same run:
// 10,000 small files within one file system, 1 GiB in 200 files from tmpfs to the work disk,
// and the undo of the 10,000-file clean.
#include "bench_support.h"
#include "engine/desktop_cleaner.h"
#include "platform/posix_file_services.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <variant>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

constexpr int runs = 5;

void makeFiles(const fs::path& folder, int count, std::size_t size) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string block(size, 'x');
    for (int i = 0; i < count; ++i)
        std::ofstream(folder / ("file " + std::to_string(i) + ".txt"), std::ios::binary) << block;
}

// Points the XDG Desktop of this process at `desktop`.
void useDesktop(const fs::path& home, const fs::path& desktop) {
    fs::create_directories(home / ".config");
    std::ofstream(home / ".config/user-dirs.dirs")
        << "XDG_DESKTOP_DIR=\"" << desktop.string() << "\"\n";
}

std::string moveAll(const fs::path& from, const fs::path& to) {
    return "cd '" + from.string() + "' && mv -t '" + to.string() + "' -- *";
}

CleanOptions optionsFor(const fs::path& archive) {
    CleanOptions options;
    options.destination = archive;
    options.dateBasis = DateBasis::cleaned;
    return options;
}

CleanRecord cleanNow(const CleanOptions& options, int expected) {
    PosixFileServices files;
    auto record = std::get<CleanRecord>(DesktopCleaner(files).clean(options, CleanTrigger::manual));
    if (record.moved.size() != static_cast<std::size_t>(expected) || !record.errors.empty())
        std::fprintf(stderr, "clean moved %zu of %d, %zu errors\n", record.moved.size(), expected,
                     record.errors.size());
    return record;
}

void smallFiles(const fs::path& home) {
    const auto desktop = home / "Desktop";
    const auto archive = home / "Archive";
    const auto options = optionsFor(archive);
    const int count = 10'000;
    useDesktop(home, desktop);
    auto fresh = [&] {
        fs::remove_all(archive);
        makeFiles(desktop, count, 64);
    };

    CleanRecord record;
    const double clean =
        bench::medianMilliseconds(runs, fresh, [&] { record = cleanNow(options, count); });
    const double mv = bench::medianMilliseconds(
        runs,
        [&] {
            fresh();
            fs::create_directories(archive / "into");
        },
        [&] { bench::runQuietly(moveAll(desktop, archive / "into")); });
    bench::report("clean of 10,000 small files", clean, "mv into one folder", mv);

    const double undo = bench::medianMilliseconds(
        runs,
        [&] {
            fresh();
            record = cleanNow(options, count);
        },
        [&] {
            PosixFileServices files;
            DesktopCleaner(files).undo(record, archive);
        });
    fs::path folder;
    const double mvBack = bench::medianMilliseconds(
        runs,
        [&] {
            fresh();
            record = cleanNow(options, count);
            folder = fs::path(record.moved.front().newPath).parent_path();
        },
        [&] { bench::runQuietly(moveAll(folder, desktop)); });
    bench::report("undo of 10,000 small files", undo, "mv back", mvBack);
}

void largeFilesAcross(const fs::path& home) {
    const auto desktop = fs::path("/dev/shm") / ("sorvane-bench-" + std::to_string(getpid()));
    const auto archive = home / "Archive";
    const auto options = optionsFor(archive);
    const int count = 200;
    const std::size_t size = (1u << 30) / count;
    useDesktop(home, desktop);
    auto fresh = [&] {
        fs::remove_all(archive);
        makeFiles(desktop, count, size);
    };
    // Files changed a moment ago count as still being written and are not copied yet.
    const auto settled = [&] {
        fresh();
        std::this_thread::sleep_for(ItemTransfer::busyWindow + std::chrono::seconds(1));
    };
    const double clean = bench::medianMilliseconds(3, settled, [&] { cleanNow(options, count); });
    const double mv = bench::medianMilliseconds(
        3,
        [&] {
            fresh();
            fs::create_directories(archive / "into");
        },
        [&] { bench::runQuietly(moveAll(desktop, archive / "into")); });
    bench::report("clean of 1 GiB in 200 files, tmpfs to disk", clean, "mv across", mv);
    // The clean flushes each copy to disk before it removes the original; mv leaves that to
    // the kernel. The same work made durable is the fairer reference.
    const double mvSync = bench::medianMilliseconds(
        3,
        [&] {
            fresh();
            fs::create_directories(archive / "into");
            bench::runQuietly("sync");
        },
        [&] {
            bench::runQuietly(moveAll(desktop, archive / "into") + " && sync -f '" +
                              archive.string() + "'");
        });
    bench::report("clean of 1 GiB in 200 files, tmpfs to disk", clean, "mv across, then sync",
                  mvSync);
    fs::remove_all(desktop);
}

} // namespace

int main(int argc, char** argv) {
    char pattern[] = "/var/tmp/sorvane-bench-XXXXXX";
    const fs::path home = mkdtemp(pattern);
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    std::printf("medians of %d runs (3 for the 1 GiB case)\n", runs);
    smallFiles(home);
    if (argc < 2 || std::string(argv[1]) != "--quick")
        largeFilesAcross(home);
    fs::remove_all(home);
    return 0;
}
