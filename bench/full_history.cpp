// SPDX-License-Identifier: MIT
#include "full_history.h"

#include "record/clean_record_json.h"

#include <fstream>
#include <stdexcept>

namespace sorvane::bench {

namespace {

CleanRecord run(int daysAgo) {
    CleanRecord record;
    record.id = Uuid::random();
    record.date = std::chrono::system_clock::now() - std::chrono::hours(24 * daysAgo);
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

std::vector<CleanRecord> fullHistory() {
    std::vector<CleanRecord> records;
    for (int day = 1; day <= 60; ++day)
        records.push_back(run(day));
    return records;
}

void writeFullHistory(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::ofstream file(folder / "history.json", std::ios::binary | std::ios::trunc);
    file << CleanRecordJson::encode(fullHistory());
    if (!file.flush())
        throw std::runtime_error("cannot write " + (folder / "history.json").string());
}

} // namespace sorvane::bench
