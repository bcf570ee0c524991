// SPDX-License-Identifier: MIT
// Runs a started scheduler with nothing due for the given number of seconds and prints how
// many evaluations ran, so that its idle cost can be measured from outside, e.g.
//   strace -f -c -e trace=poll,ppoll,epoll_wait,select,pselect6,nanosleep,clock_nanosleep,futex
//       sorvane_scheduler_idle_probe 180
#include "fakes/memory_preferences_store.h"
#include "platform/wake_monitor.h"
#include "scheduling/scheduler.h"
#include "settings/app_settings.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    using namespace sorvane;
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 180;

    MemoryPreferencesStore store;
    AppSettings settings(store);
    settings.setAgentEnabled(true);
    settings.setLastRun(QDateTime::currentDateTimeUtc());
    WakeMonitor wake;
    Scheduler scheduler(
        settings, [] { return std::chrono::system_clock::now(); }, wake);
    int evaluations = 0;
    int fires = 0;
    scheduler.setOnTick([&] { ++evaluations; });
    scheduler.setOnFire([&] { ++fires; });
    scheduler.start();
    QTimer::singleShot(std::chrono::seconds(seconds), &application, &QCoreApplication::quit);
    application.exec();
    std::printf("%d s: %d evaluations, %d fires, status \"%s\"\n", seconds, evaluations, fires,
                qPrintable(scheduler.statusText()));
    return 0;
}
