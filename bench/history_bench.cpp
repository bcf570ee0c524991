// Saving and loading a full history (60 runs of 1,000 moved items each) against `cp` of the
// same file.
#include "bench_support.h"
#include "history/history_store.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

CleanRecord run(int number) {
    CleanRecord record;
    record.id = Uuid::random();
    record.date = std::chrono::system_clock::now() - std::chrono::hours(24 * number);
    for (int i = 0; i < 1'000; ++i) {
        const std::string name = "Screenshot 2025-03-07 at 09." + std::to_string(i) + ".png";
        record.moved.push_back({Uuid::random(), "/home/ana/Desktop/" + name,
                                "/home/ana/Documents/Desktop Archive/2025-03 March/" + name});
    }
    record.skippedCount = 3;
    record.errors = {"notes.txt: Could not move \u201Cnotes.txt\u201D: Permission denied."};
    return record;
}

} // namespace

int main() {
    char pattern[] = "/tmp/sorvane-bench-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    std::size_t loaded = 0;
    {
        HistoryStore store(folder);
        for (int i = 60; i > 0; --i)
            store.add(run(i));

        const double save = bench::medianMilliseconds(9, [&] { store.save(); });
        const double load =
            bench::medianMilliseconds(9, [&] { loaded = HistoryStore(folder).records().size(); });
        const std::string file = store.fileURL().string();
        const double copy = bench::medianMilliseconds(
            9, [&] { bench::runQuietly("cp '" + file + "' '" + file + ".copy'"); });
        // Our save flushes to the disk; so must the reference to be a fair one.
        const double durableCopy = bench::medianMilliseconds(9, [&] {
            bench::runQuietly("cp '" + file + "' '" + file + ".copy' && sync -d '" + file +
                              ".copy'");
        });
        std::printf("history of %zu runs, %.1f MB, loaded %zu runs (median of 9 runs)\n",
                    store.records().size(), static_cast<double>(fs::file_size(file)) / 1e6, loaded);
        bench::report("durable save of 60 x 1,000 items", save, "cp", copy);
        bench::report("durable save of 60 x 1,000 items", save, "cp + sync -d", durableCopy);
        bench::report("load of 60 x 1,000 items", load, "cp", copy);
    }
    fs::remove_all(folder);
    return 0;
}
