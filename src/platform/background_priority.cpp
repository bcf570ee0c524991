// SPDX-License-Identifier: MIT
#include "platform/background_priority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace sorvane {

void BackgroundPriority::lowerCurrentThread() {
    // On Linux a nice value belongs to one thread when given its thread id. A failure leaves
    // the thread at normal priority, which costs speed, never correctness.
    constexpr int lowest = 19;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), lowest);
}

} // namespace sorvane
