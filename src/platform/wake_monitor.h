// SPDX-License-Identifier: MIT
#pragma once

#include "platform/suspend_detector.h"

#include <QObject>
#include <functional>

namespace sorvane {

/// Announces that the machine woke from sleep.
///
/// While started it listens for logind's PrepareForSleep(false) on the system bus. Where
/// there is no system bus or no logind that part stays silent, and the clock comparison of
/// `checkClocks`, which the owner runs at each of its periodic ticks, notices the sleep
/// instead.
class WakeMonitor : public QObject {
    Q_OBJECT

public:
    using Clocks = std::function<SuspendDetector::Reading()>;

    explicit WakeMonitor(Clocks clocks = &SuspendDetector::systemClocks, QObject* parent = nullptr);
    ~WakeMonitor() override;

    /// Starts listening; starting again first stops, so there is never more than one
    /// subscription.
    void start();
    void stop();
    bool isStarted() const { return m_started; }
    /// Whether the subscription to logind's signal is in place.
    bool isListeningToLogind() const { return m_listening; }

    /// Reads the clocks; when they show a sleep or a set clock since the last reading, emits
    /// `woke()` and returns true.
    bool checkClocks();

signals:
    void woke();

private slots:
    // QtDBus delivers bus signals only to slots named by their signature.
    void onPrepareForSleep(bool goingToSleep);

private:
    Clocks m_clocks;
    SuspendDetector m_detector;
    bool m_started = false;
    bool m_listening = false;
};

} // namespace sorvane
