// SPDX-License-Identifier: MIT
#pragma once

#include "support/private_dbus.h"

#include <QDBusConnection>
#include <QTest>
#include <gtest/gtest.h>

namespace sorvane::test {

/// A test on its own private session bus, with two connections to it: one for the code under
/// test and one for the fake servers, as two processes would have.
class PrivateBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_bus.running()) << "dbus-daemon did not start";
        static int count = 0;
        ++count;
        m_clientName = QStringLiteral("client-%1").arg(count);
        m_serverName = QStringLiteral("server-%1").arg(count);
        const QString address = QString::fromStdString(m_bus.address());
        client = QDBusConnection::connectToBus(address, m_clientName);
        server = QDBusConnection::connectToBus(address, m_serverName);
        ASSERT_TRUE(client.isConnected());
        ASSERT_TRUE(server.isConnected());
    }

    void TearDown() override {
        QDBusConnection::disconnectFromBus(m_clientName);
        QDBusConnection::disconnectFromBus(m_serverName);
    }

    /// Runs the event loop until `done` holds or five seconds passed.
    template <class Predicate> static bool waitFor(Predicate done) {
        return QTest::qWaitFor(done, 5000);
    }

    QDBusConnection client{QString()};
    QDBusConnection server{QString()};

private:
    PrivateDbus m_bus;
    QString m_clientName;
    QString m_serverName;
};

} // namespace sorvane::test
