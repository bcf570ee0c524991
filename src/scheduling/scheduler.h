// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

namespace sorvane {

class AppSettings;
class WakeMonitor;

/// Decides when an automatic clean is due and says so through `onFire`.
///
/// It keeps no plan of its own: once a minute and whenever the machine wakes it recomputes
/// the next run from the settings and the last clean, so a run missed while asleep or not
/// running is caught up once at the next look. Marking a run done is the caller's job:
/// until `lastRun` is stamped, every evaluation that finds the run due fires again.
///
/// Before the first clean there is no last run to count from. Counting from "now" would move
/// the next run past itself at every look, so that it never comes; the count starts instead
/// from the moment the scheduler started or automatic cleaning was switched on, whichever
/// is later. That moment is kept in memory only.
class Scheduler : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds evaluationInterval{60};

    Scheduler(AppSettings& settings, Clock clock, WakeMonitor& wakeMonitor,
              QObject* parent = nullptr);
    ~Scheduler() override;

    /// Starts the one-minute timer and the wake observation and evaluates once at once.
    /// Starting again first stops.
    void start();
    void stop();
    bool isStarted() const { return m_timer.isActive(); }

    /// What the one-minute timer runs: a sleep or a set clock noticed here counts as a wake,
    /// and either way the schedule is evaluated once.
    void tick();
    /// Calls `onTick`, then `onFire` when automatic cleaning is on and a run is due.
    void evaluate();

    /// The next automatic run after `from`, or after the last clean (before the first one,
    /// after the start) when that lies before `from`; none when automatic cleaning is off or
    /// no day matches.
    std::optional<Timestamp> nextRunDate(Timestamp from) const;

    /// "Automatic cleaning is off", "Due now", "Next clean in 3 hours", or the schedule's
    /// description when no run can be found.
    QString statusText() const;

    void setOnFire(std::function<void()> action) { m_onFire = std::move(action); }
    void setOnTick(std::function<void()> action) { m_onTick = std::move(action); }

    const QTimer& timer() const { return m_timer; }

private:
    AppSettings& m_settings;
    Clock m_clock;
    WakeMonitor& m_wakeMonitor;
    QTimer m_timer;
    QMetaObject::Connection m_wakeConnection;
    /// Where the count starts while there is no last run; none before `start`.
    std::optional<Timestamp> m_anchor;
    std::function<void()> m_onFire;
    std::function<void()> m_onTick;
};

} // namespace sorvane
