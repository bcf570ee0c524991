// SPDX-License-Identifier: MIT
#include "platform/suspend_detector.h"

#include <time.h>

namespace sorvane {
namespace {

std::chrono::nanoseconds read(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

SuspendDetector::Reading SuspendDetector::systemClocks() {
    return {std::chrono::system_clock::now(), read(CLOCK_MONOTONIC), read(CLOCK_BOOTTIME)};
}

bool SuspendDetector::observe(const Reading& reading) {
    const std::optional<Reading> last = m_last;
    m_last = reading;
    if (!last)
        return false;
    const auto monotonicElapsed = reading.monotonic - last->monotonic;
    const auto wallElapsed = reading.wall - last->wall;
    const auto drift = wallElapsed - monotonicElapsed;
    const auto slept = (reading.boottime - reading.monotonic) - (last->boottime - last->monotonic);
    return drift > wallClockJump || drift < -wallClockJump || slept >= suspendedAtLeast;
}

} // namespace sorvane
