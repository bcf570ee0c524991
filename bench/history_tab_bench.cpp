// SPDX-License-Identifier: MIT
// The History tab over a full history (60 runs of 1,000 items): opening it, and its rebuild
// when a clean of one file is recorded. Times are from the tab's making, or from the record's
// arrival, until it shows a row for every run and has been painted since.
#include "app/application_parts.h"
#include "bench_support.h"
#include "full_history.h"
#include "history/history_store.h"
#include "ui/history_row.h"
#include "ui/history_view.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

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

/// Notes when any widget of one window is painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    void reset() { m_painted = false; }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == &m_window)
            m_painted = true;
        return false;
    }

private:
    QWidget& m_window;
    bool m_painted = false;
};

/// Runs the event loop until the view shows a row for every run, `newest` among them, and has
/// been painted since its last row came, so that rows made a turn later count too.
void waitUntilShown(HistoryView& view, PaintWatch& watch, const Uuid& newest,
                    std::size_t runCount) {
    const auto complete = [&] {
        const auto rows = view.rows();
        return static_cast<std::size_t>(rows.size()) == runCount &&
               std::any_of(rows.begin(), rows.end(),
                           [&](HistoryRow* row) { return row->recordId() == newest; });
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool paintedComplete = false;
    while (!paintedComplete) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the History tab was not shown within 10 s");
        if (!complete())
            watch.reset();
        QApplication::processEvents();
        paintedComplete = complete() && watch.painted();
    }
}

/// Open and rebuild times in ms.
std::pair<std::vector<double>, std::vector<double>> measure(AppState& state) {
    // Connected before any view's own slot, so that it marks the record's arrival.
    std::chrono::steady_clock::time_point arrived;
    QObject::connect(&state.history(), &HistoryStore::recordsChanged,
                     [&] { arrived = std::chrono::steady_clock::now(); });
    std::vector<double> open, rebuild;
    for (int i = 0; i < runs; ++i) {
        const std::size_t runCount = state.history().runs().size();
        const Uuid newest = state.history().runs().front().id;
        const auto start = std::chrono::steady_clock::now();
        HistoryView view(state);
        PaintWatch watch(view);
        view.resize(560, 640);
        view.show();
        waitUntilShown(view, watch, newest, runCount);
        open.push_back(bench::millisecondsSince(start));

        const CleanRecord clean = cleanOfOneFile();
        watch.reset();
        state.history().add(clean);
        waitUntilShown(view, watch, clean.id, runCount);
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
