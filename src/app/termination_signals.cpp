// SPDX-License-Identifier: MIT
#include "app/termination_signals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sorvane {
namespace {

// A signal handler may do almost nothing; it writes one byte that the event loop reads.
int pipeEnds[2] = {-1, -1};

void handle(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = write(pipeEnds[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        // One emission per signal: a second Ctrl+C means more than the first.
        char bytes[16];
        ssize_t count = 0;
        while ((count = read(pipeEnds[0], bytes, sizeof bytes)) > 0)
            for (ssize_t i = 0; i < count; ++i)
                emit received();
    });
    struct sigaction action {};
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    m_notifier.reset();
    for (int& end : pipeEnds)
        if (end >= 0)
            close(std::exchange(end, -1));
}

} // namespace sorvane
