// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

namespace sorvane::test {

/// Stands in for logind on a private system bus: holds its name and object path and emits
/// its sleep signal when told to, from a connection of its own as the real one would.
class FakeLoginManager {
public:
    explicit FakeLoginManager(const QString& address)
        : m_connection(QDBusConnection::connectToBus(address, QStringLiteral("fake-login1"))) {
        m_connection.registerService(QStringLiteral("org.freedesktop.login1"));
        m_connection.registerObject(QStringLiteral("/org/freedesktop/login1"), &m_object);
    }
    ~FakeLoginManager() {
        m_connection.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
        m_connection.unregisterService(QStringLiteral("org.freedesktop.login1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-login1"));
    }
    FakeLoginManager(const FakeLoginManager&) = delete;
    FakeLoginManager& operator=(const FakeLoginManager&) = delete;

    bool isConnected() const { return m_connection.isConnected(); }

    /// Waits until the bus has handled all that this process's system-bus connection sent so
    /// far, its match rules included: the bus orders messages per connection only, so a
    /// signal sent from here could otherwise overtake a subscription.
    static void settleSystemBus() {
        QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    }

    /// True going to sleep, false after resuming.
    void prepareForSleep(bool goingToSleep) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
        signal << goingToSleep;
        m_connection.send(signal);
    }

    /// A signal of no meaning, sent after others: once it has arrived, so have they.
    void sendMarker() {
        m_connection.send(QDBusMessage::createSignal(QStringLiteral("/sorvane/test"),
                                                     QStringLiteral("app.sorvane.Test"),
                                                     QStringLiteral("Marker")));
    }

private:
    QDBusConnection m_connection;
    QObject m_object;
};

} // namespace sorvane::test
