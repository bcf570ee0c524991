// SPDX-License-Identifier: MIT
#pragma once

#include "app/application_parts.h"
#include "app/command_runner.h"
#include "app/instance_server.h"
#include "app/termination_signals.h"
#include "app/user_lock.h"

#include <QObject>
#include <memory>

namespace sorvane {

/// The long-running program behind the tray icon, without its views: one per user, holding
/// the user lock for its life, answering later starts of the program on its socket, and
/// ending only once the work in hand is safely recorded.
class RunningApplication : public QObject {
    Q_OBJECT
public:
    /// Takes the user lock. Without it another instance runs: `handOver` then asks that one
    /// to show itself, and this object stays inert (`isPrimary` false).
    explicit RunningApplication(QObject* parent = nullptr);
    ~RunningApplication() override;

    bool isPrimary() const { return m_parts != nullptr; }
    /// Asks the instance that holds the lock to show its panel, and to clean or undo when the
    /// program was started with --clean-now or --undo-last-clean; false when none answered.
    static bool handOver();

    AppState& state() { return m_parts->state(); }

    /// Recovers an interrupted clean, listens for later starts and starts the state's
    /// scheduler, updater and first count; then the clean or undo the program was started for.
    void start();

    /// Lets a running clean or undo finish its item and record itself, then quits.
    void quitSafely();

signals:
    /// A later start of the program asked for the panel (or, without a tray, the window).
    void showRequested();

private:
    /// "clean" or "undo" for --clean-now or --undo-last-clean, else empty.
    static QString startedFor();
    void answer(const InstanceRequest& request, std::function<void(InstanceReply)> reply);

    std::unique_ptr<UserLock> m_lock;
    std::unique_ptr<ApplicationParts> m_parts;
    std::unique_ptr<CommandRunner> m_runner;
    std::unique_ptr<InstanceServer> m_server;
    TerminationSignals m_signals;
};

} // namespace sorvane
