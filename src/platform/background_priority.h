// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane {

/// Work that nobody waits for, such as recounting the Desktop, runs out of everyone's way.
///
/// Not `SCHED_IDLE` (Qt's idle thread priority): an idle thread gets no time at all while
/// anything else wants the processor, so on a busy machine a count could wait for minutes.
/// The lowest nice value of the normal scheduler yields to everything and still never starves.
class BackgroundPriority {
public:
    /// Lowers the calling thread's priority; later calls on the same thread change nothing.
    static void lowerCurrentThread();
};

} // namespace sorvane
