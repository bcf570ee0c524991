// SPDX-License-Identifier: MIT
// Saving and loading (the runs' summaries) a full history (60 runs of 1,000 moved items each)
// against `cp` of the
// same file.
#include "bench_support.h"
#include "full_history.h"
#include "history/history_store.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace sorvane;

int main() {
    char pattern[] = "/tmp/sorvane-bench-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    std::size_t loaded = 0;
    {
        HistoryStore store(folder);
        auto records = bench::fullHistory();
        for (auto record = records.rbegin(); record != records.rend(); ++record)
            store.add(std::move(*record));

        const double save = bench::medianMilliseconds(9, [&] { store.save(); });
        const double load =
            bench::medianMilliseconds(9, [&] { loaded = HistoryStore(folder).runs().size(); });
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
