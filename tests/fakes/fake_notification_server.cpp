// SPDX-License-Identifier: MIT
#include "fakes/fake_notification_server.h"

namespace sorvane::test {
namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FakeNotificationServer::FakeNotificationServer(QStringList capabilities, QObject* parent)
    : QObject(parent), m_service(serviceName, objectPath), m_capabilities(std::move(capabilities)) {
}

FakeNotificationServer::~FakeNotificationServer() {
    stop();
}

bool FakeNotificationServer::start(QDBusConnection connection) {
    return m_service.start(connection, this);
}

void FakeNotificationServer::stop() {
    m_service.stop();
}

void FakeNotificationServer::release() {
    m_holding = false;
    for (auto& [call, answer] : m_held)
        m_service.connection()->send(call.createReply(answer));
    m_held.clear();
}

QStringList FakeNotificationServer::GetCapabilities() {
    ++m_capabilityRequests;
    if (m_holding) {
        setDelayedReply(true);
        m_held.emplace_back(message(), QVariant(m_capabilities));
    }
    return m_capabilities;
}

uint FakeNotificationServer::Notify(const QString& appName, uint replacesId, const QString& appIcon,
                                    const QString& summary, const QString& body,
                                    const QStringList& actions, const QVariantMap& hints,
                                    int expireTimeout) {
    m_notifications.push_back(
        {appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout});
    const uint id = uint(m_notifications.size());
    if (m_holding) {
        setDelayedReply(true);
        m_held.emplace_back(message(), QVariant(id));
    }
    return id;
}

void FakeNotificationServer::CloseNotification(uint) {}

void FakeNotificationServer::invokeAction(uint id, const QString& key) {
    emit ActionInvoked(id, key);
    // As servers do after an action: the notification goes.
    emit NotificationClosed(id, 2);
}

QString FakeNotificationServer::GetServerInformation(QString& vendor, QString& version,
                                                     QString& specVersion) {
    vendor = QStringLiteral("Sorvane tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notification-server");
}

} // namespace sorvane::test
