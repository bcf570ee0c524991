// SPDX-License-Identifier: MIT
#pragma once

#include "fakes/bus_service.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace sorvane::test {

/// A freedesktop.org notification server for a private bus: it keeps every notification it
/// is sent, lists the capabilities it is given and, when asked to, holds its answers back the
/// way a hung server would.
class FakeNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
    };

    explicit FakeNotificationServer(QStringList capabilities = {QStringLiteral("body")},
                                    QObject* parent = nullptr);
    ~FakeNotificationServer() override;

    /// Takes the server's name on `connection`; false when someone else holds it.
    bool start(QDBusConnection connection);
    void stop();

    void setCapabilities(QStringList capabilities) { m_capabilities = std::move(capabilities); }
    /// While holding, calls get no answer until `release`.
    void hold() { m_holding = true; }
    void release();

    const std::vector<Notification>& notifications() const { return m_notifications; }
    /// As when the user presses the action `key` of the notification `id` (counted from 1).
    void invokeAction(uint id, const QString& key);
    int capabilityRequests() const { return m_capabilityRequests; }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

public Q_SLOTS:
    QStringList GetCapabilities();
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout);
    void CloseNotification(uint id);
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion);

private:
    BusService m_service;
    QStringList m_capabilities;
    std::vector<Notification> m_notifications;
    std::vector<std::pair<QDBusMessage, QVariant>> m_held;
    int m_capabilityRequests = 0;
    bool m_holding = false;
};

} // namespace sorvane::test
