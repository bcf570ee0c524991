// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace sorvane {

/// Turns SIGTERM and SIGINT (a logout, a kill, Ctrl+C) into a Qt signal on the main thread,
/// so that the work in hand can be brought to a safe end before the program exits.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    /// One per process.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    /// Once per signal received.
    void received();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace sorvane
