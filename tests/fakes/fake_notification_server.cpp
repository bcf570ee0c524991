#include "fakes/fake_notification_server.h"

namespace sorvane::test {
namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

FakeNotificationServer::FakeNotificationServer(QStringList capabilities, QObject* parent)
    : QObject(parent), m_capabilities(std::move(capabilities)) {}

FakeNotificationServer::~FakeNotificationServer() {
    stop();
}

bool FakeNotificationServer::start(QDBusConnection connection) {
    stop();
    if (!connection.registerObject(objectPath, this, QDBusConnection::ExportAllSlots))
        return false;
    if (!connection.registerService(serviceName)) {
        connection.unregisterObject(objectPath);
        return false;
    }
    m_connection = connection;
    return true;
}

void FakeNotificationServer::stop() {
    if (!m_connection)
        return;
    m_connection->unregisterService(serviceName);
    m_connection->unregisterObject(objectPath);
    m_connection.reset();
}

void FakeNotificationServer::release() {
    m_holding = false;
    for (auto& [call, answer] : m_held)
        m_connection->send(call.createReply(answer));
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

QString FakeNotificationServer::GetServerInformation(QString& vendor, QString& version,
                                                     QString& specVersion) {
    vendor = QStringLiteral("Sorvane tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("fake-notification-server");
}

} // namespace sorvane::test
