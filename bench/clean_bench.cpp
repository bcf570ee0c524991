// SPDX-License-Identifier: MIT
// What a user waits for when cleaning: whole `sorvane clean` and `sorvane undo` processes at
// default settings in a home of their own (start-up, journal and history save included),
// against coreutils `mv` doing the same work, turn by turn: 10,000 old small files within one
// file system and their undo, and 1 GiB in 200 files into an archive on another file system
// (a loop-mounted ext4 image on the same disk) and back, against `mv` and `sync -f`.
//
//     sorvane_clean_bench [--quick | --across-only] [--rounds N] [--sorvane PATH]
#include "bench_support.h"
#include "engine/item_transfer.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

std::string shellQuoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// Files last changed two months ago, so that every setting counts them as old.
void makeOldFiles(const fs::path& folder, int count, std::size_t size) {
    fs::create_directories(folder);
    const std::string block(size, 'x');
    const timespec old[2] = {{time(nullptr) - 60 * 86400, 0}, {time(nullptr) - 60 * 86400, 0}};
    for (int i = 0; i < count; ++i) {
        const auto file = folder / ("file " + std::to_string(i) + ".txt");
        std::ofstream(file, std::ios::binary) << block;
        utimensat(AT_FDCWD, file.c_str(), old, 0);
    }
}

std::size_t entriesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

/// A home of its own for the commands, with the Desktop and the Documents folder (where the
/// archive goes by default) where the case wants them.
class BenchHome {
public:
    BenchHome(const fs::path& base, const fs::path& documents)
        : m_home(base / "home"), m_documents(documents) {
        fs::create_directories(config());
        std::ofstream(config() / "user-dirs.dirs")
            << "XDG_DESKTOP_DIR=\"" << desktop().string() << "\"\n"
            << "XDG_DOCUMENTS_DIR=\"" << documents.string() << "\"\n";
        setenv("HOME", m_home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config().c_str(), 1);
        setenv("XDG_DATA_HOME", data().c_str(), 1);
        const auto runtime = base / "run";
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }

    fs::path desktop() const { return m_home / "Desktop"; }
    fs::path archive() const { return m_documents / "Desktop Archive"; }
    fs::path into() const { return m_documents / "into"; }
    fs::path config() const { return m_home / ".config"; }
    fs::path data() const { return m_home / ".local/share"; }

    /// As before the first run: no Desktop items, archive, history or settings.
    void reset() const {
        fs::remove_all(desktop());
        fs::remove_all(archive());
        fs::remove_all(into());
        fs::remove_all(data());
        fs::remove_all(config() / "Sorvane");
        fs::create_directories(m_documents);
    }

private:
    fs::path m_home;
    fs::path m_documents;
};

struct Bench {
    std::string sorvane;
    int rounds = 5;
    bool quick = false;
    bool acrossOnly = false;

    void sorvaneCommand(const std::string& command) const {
        bench::runQuietly(shellQuoted(sorvane) + " " + command);
    }
};

void mvAll(const fs::path& from, const fs::path& to, const std::string& after = {}) {
    bench::runQuietly("cd " + shellQuoted(from) + " && mv -t " + shellQuoted(to) + " -- *" + after);
}

void smallFiles(const Bench& bench, const fs::path& base) {
    const BenchHome home(base, base / "home/Documents");
    const int count = 10'000;
    auto fresh = [&] {
        home.reset();
        makeOldFiles(home.desktop(), count, 64);
    };
    auto freshInto = [&] {
        fresh();
        fs::create_directories(home.into());
    };
    auto emptied = [&] {
        if (entriesIn(home.desktop()) != 0)
            std::fprintf(stderr, "the clean left items on the Desktop\n");
    };
    bench::report("clean of 10,000 small files", "mv into one folder",
                  bench::alternate(
                      bench.rounds, fresh,
                      [&] {
                          bench.sorvaneCommand("clean");
                          emptied();
                      },
                      freshInto, [&] { mvAll(home.desktop(), home.into()); }));

    bench::report("undo of those", "mv back",
                  bench::alternate(
                      bench.rounds,
                      [&] {
                          fresh();
                          bench.sorvaneCommand("clean");
                      },
                      [&] { bench.sorvaneCommand("undo"); },
                      [&] {
                          freshInto();
                          mvAll(home.desktop(), home.into());
                      },
                      [&] { mvAll(home.into(), home.desktop()); }));
    home.reset();
}

// Another file system on the same disk as the Desktop: an ext4 image mounted through a loop
// device, written whole first, as a drive is, rather than filled in as the rounds write, and
// its tables written at once; left to the kernel, they would be written in the background
// for minutes, beside the first rounds. Gives false when this machine cannot mount one (no
// root, no loop devices).
bool mountImage(const fs::path& image, const fs::path& mountPoint) {
    fs::create_directories(mountPoint);
    return std::system(
               ("dd if=/dev/zero bs=1M count=3072 conv=fsync status=none of=" + shellQuoted(image) +
                " && mkfs.ext4 -q -F -E lazy_itable_init=0,lazy_journal_init=0 " +
                shellQuoted(image) + " && mount -o loop " + shellQuoted(image) + " " +
                shellQuoted(mountPoint) + " >/dev/null 2>&1")
                   .c_str()) == 0;
}

// Each takes some twenty seconds, most of it making the gigabyte; the host's memory makes
// single rounds swing, so three were too few for a median.
constexpr int acrossRounds = 7;

void largeFilesAcross(const Bench& bench, const fs::path& base) {
    const auto image = base / "other.img";
    const auto mounted = base / "other";
    if (!mountImage(image, mounted)) {
        std::printf("skipped the clean across file systems: no loop-mounted image here\n");
        return;
    }
    const BenchHome home(base, mounted / "Documents");
    const int count = 200;
    const std::size_t size = (1u << 30) / count;
    auto fresh = [&] {
        home.reset();
        makeOldFiles(home.desktop(), count, size);
        fs::create_directories(home.into());
        bench::runQuietly("sync");
        // Files changed a moment ago count as still being written and are not copied yet.
        std::this_thread::sleep_for(ItemTransfer::busyWindow + std::chrono::seconds(1));
    };
    const int rounds = std::min(bench.rounds, acrossRounds);
    bench::report("clean of 1 GiB in 200 files across", "mv + sync -f",
                  bench::alternate(
                      rounds, fresh, [&] { bench.sorvaneCommand("clean"); }, fresh,
                      [&] {
                          mvAll(home.desktop(), home.into(),
                                " && sync -f " + shellQuoted(home.into()));
                      }));
    bench::report(
        "undo of those", "mv back + sync -f",
        bench::alternate(
            rounds,
            [&] {
                fresh();
                bench.sorvaneCommand("clean");
            },
            [&] { bench.sorvaneCommand("undo"); },
            [&] {
                fresh();
                mvAll(home.desktop(), home.into(), " && sync -f " + shellQuoted(home.into()));
            },
            [&] {
                mvAll(home.into(), home.desktop(), " && sync -f " + shellQuoted(home.desktop()));
            }));
    home.reset();
    std::system(("umount " + shellQuoted(mounted)).c_str());
}

} // namespace

int main(int argc, char** argv) {
    Bench bench;
    bench.sorvane = SORVANE_BINARY;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--quick")
            bench.quick = true;
        else if (argument == "--across-only")
            bench.acrossOnly = true;
        else if (argument == "--rounds" && i + 1 < argc)
            bench.rounds = std::atoi(argv[++i]);
        else if (argument == "--sorvane" && i + 1 < argc)
            bench.sorvane = argv[++i];
    }
    // The work disk, not a memory file system: /tmp may be one.
    char pattern[] = "/var/tmp/sorvane-bench-XXXXXX";
    const fs::path base = mkdtemp(pattern);
    std::printf("%s, %d rounds (at most %d across file systems), medians\n", bench.sorvane.c_str(),
                bench.rounds, acrossRounds);
    if (!bench.acrossOnly)
        smallFiles(bench, base);
    if (!bench.quick)
        largeFilesAcross(bench, base);
    fs::remove_all(base);
    return 0;
}
