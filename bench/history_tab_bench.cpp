// SPDX-License-Identifier: MIT
// The History tab over a full history (60 runs of 1,000 items) and over a history of one run
// in the same run: opening it, and its rebuild when a clean of one file is recorded. Times
// are from the tab's making, or from the record's arrival, until it has been painted.
#include "app/application_parts.h"
#include "bench_support.h"
#include "full_history.h"
#include "history/history_store.h"
#include "ui/history_view.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

constexpr int runs = 7;

CleanRecord cleanOfOneFile() {
    CleanRecord record;
    record.id = Uuid::random();
    record.date = std::chrono::system_clock::now();
    record.moved.push_back({Uuid::random(), "/home/ana/Desktop/notes.txt",
                            "/home/ana/Documents/Desktop Archive/2025-03 March/notes.txt"});
    return record;
}

void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

/// Open and rebuild times in ms.
std::pair<std::vector<double>, std::vector<double>> measure(AppState& state) {
    // Connected before any view's own slot, so that it marks the record's arrival.
    std::chrono::steady_clock::time_point arrived;
    QObject::connect(&state.history(), &HistoryStore::recordsChanged,
                     [&] { arrived = std::chrono::steady_clock::now(); });
    std::vector<double> open, rebuild;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        HistoryView view(state);
        view.resize(560, 640);
        view.show();
        settle();
        open.push_back(bench::millisecondsSince(start));

        state.history().add(cleanOfOneFile());
        settle();
        rebuild.push_back(bench::millisecondsSince(arrived));
    }
    return {open, rebuild};
}

} // namespace

int main(int argc, char** argv) {
    const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const fs::path home = work / "tab-bench-home";
    fs::remove_all(home);
    fs::create_directories(home / "Desktop");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    bench::writeFullHistory(home / ".local/share/Sorvane");
    QApplication application(argc, argv);
    int status = 0;
    {
        ApplicationParts parts;
        const auto [open, rebuild] = measure(parts.state());
        bench::reportSpread("History tab opened, full history", open);
        bench::reportSpread("History tab rebuilt after a clean", rebuild);
        status = parts.state().history().records().size() == 60 ? 0 : 1;
    }
    fs::remove_all(home);
    return status;
}
