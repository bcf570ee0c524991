// SPDX-License-Identifier: MIT
#include "platform/wake_monitor.h"

#include "platform/log_categories.h"

#include <QDBusConnection>
#include <QDBusError>

namespace sorvane {
namespace {

const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString prepareForSleep = QStringLiteral("PrepareForSleep");

} // namespace

WakeMonitor::WakeMonitor(Clocks clocks, QObject* parent)
    : QObject(parent), m_clocks(std::move(clocks)) {}

WakeMonitor::~WakeMonitor() {
    stop();
}

void WakeMonitor::start() {
    stop();
    m_detector.reset(m_clocks());
    m_started = true;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCInfo(logDbus) << "No system bus; waking from sleep is noticed by the clocks only:"
                        << bus.lastError().message();
        return;
    }
    // No sender name: matching on logind's well-known name would make QtDBus look up its
    // owner with a blocking call. The path and interface are logind's alone, and a stray
    // signal costs no more than one extra look at the schedule.
    m_listening = bus.connect(QString(), loginPath, loginManager, prepareForSleep, this,
                              SLOT(onPrepareForSleep(bool)));
    if (!m_listening)
        qCInfo(logDbus) << "No word from logind; waking from sleep is noticed by the clocks only:"
                        << bus.lastError().message();
}

void WakeMonitor::stop() {
    if (m_listening) {
        QDBusConnection::systemBus().disconnect(QString(), loginPath, loginManager, prepareForSleep,
                                                this, SLOT(onPrepareForSleep(bool)));
        m_listening = false;
    }
    m_started = false;
}

bool WakeMonitor::checkClocks() {
    if (!m_detector.observe(m_clocks()))
        return false;
    emit woke();
    return true;
}

void WakeMonitor::onPrepareForSleep(bool goingToSleep) {
    if (goingToSleep || !m_started)
        return;
    // The sleep is accounted for; the next clock check must not report it a second time.
    m_detector.reset(m_clocks());
    emit woke();
}

} // namespace sorvane
