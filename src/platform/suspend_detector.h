// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <chrono>
#include <optional>

namespace sorvane {

/// Tells from two readings of the system's clocks whether the machine slept, or its wall
/// clock was set, in between: for desktops without logind, and for a resume that logind's
/// signal did not reach us for.
///
/// The monotonic clock stops while the machine is suspended and the boot-time clock does not,
/// so their difference grows by exactly the time spent asleep. A wall clock that moved more
/// than two minutes further (or less far) than the monotonic clock was set, or caught up
/// after a sleep; either way the schedule should be looked at again.
class SuspendDetector {
public:
    struct Reading {
        Timestamp wall;
        std::chrono::nanoseconds monotonic{0};
        std::chrono::nanoseconds boottime{0};
    };

    static constexpr std::chrono::minutes wallClockJump{2};
    /// Reading the two clocks is not atomic; less than this is noise, not a sleep.
    static constexpr std::chrono::seconds suspendedAtLeast{1};

    /// CLOCK_REALTIME, CLOCK_MONOTONIC and CLOCK_BOOTTIME now.
    static Reading systemClocks();

    /// Compares with the previous reading and keeps this one; the first reading only sets
    /// the baseline and reports nothing.
    bool observe(const Reading& reading);
    /// Takes a new baseline without comparing, after a wake was learnt of another way.
    void reset(const Reading& reading) { m_last = reading; }

private:
    std::optional<Reading> m_last;
};

} // namespace sorvane
