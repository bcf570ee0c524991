#include "platform/dbus_notifier.h"

#include "platform/application_id.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QStringList>
#include <QVariantMap>

namespace sorvane {
namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

// A server that takes longer than this to list its capabilities is not going to show the
// notification promptly either; waiting posts then go out escaped.
constexpr int capabilitiesTimeoutMs = 5000;

// The urgency hint of the notification specification, sent as a byte: 1 is "normal".
constexpr uchar normalUrgency = 1;

QDBusMessage methodCall(const QString& method) {
    return QDBusMessage::createMethodCall(service, objectPath, service, method);
}

} // namespace

DbusNotifier::DbusNotifier(QDBusConnection connection, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)),
      m_serverWatcher(new QDBusServiceWatcher(service, m_connection,
                                              QDBusServiceWatcher::WatchForOwnerChange, this)) {
    connect(m_serverWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &DbusNotifier::serverChanged);
}

DbusNotifier::~DbusNotifier() = default;

void DbusNotifier::post(const QString& title, const QString& body) {
    // Qt answers no call on a connection that never reached a bus, not even with an error;
    // waiting for the capabilities would keep the post for ever.
    if (!m_connection.isConnected())
        return;
    if (m_capabilities == Capabilities::Known) {
        send({title, body}, m_bodyMarkup);
        return;
    }
    m_waiting.push_back({title, body});
    if (m_capabilities == Capabilities::Unknown)
        askCapabilities();
}

QString DbusNotifier::escapedBody(const QString& body) {
    QString escaped;
    escaped.reserve(body.size());
    for (const QChar c : body) {
        if (c == u'&')
            escaped += QStringLiteral("&amp;");
        else if (c == u'<')
            escaped += QStringLiteral("&lt;");
        else if (c == u'>')
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

void DbusNotifier::askCapabilities() {
    m_capabilities = Capabilities::Asking;
    auto* watcher = new QDBusPendingCallWatcher(
        m_connection.asyncCall(methodCall(QStringLiteral("GetCapabilities")),
                               capabilitiesTimeoutMs),
        this);
    const quint64 generation = m_generation;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (generation == m_generation)
                    capabilitiesAnswered(finished);
            });
}

void DbusNotifier::capabilitiesAnswered(QDBusPendingCallWatcher* watcher) {
    const QDBusPendingReply<QStringList> reply = *watcher;
    bool escape = true;
    if (reply.isError()) {
        // Asked again with the next post: the server may simply not have started yet.
        m_capabilities = Capabilities::Unknown;
    } else {
        m_capabilities = Capabilities::Known;
        m_bodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
        escape = m_bodyMarkup;
    }
    std::vector<Post> waiting;
    waiting.swap(m_waiting);
    for (const Post& post : waiting)
        send(post, escape);
}

void DbusNotifier::send(const Post& post, bool escape) {
    QDBusMessage call = methodCall(QStringLiteral("Notify"));
    const QString id = QString::fromLatin1(applicationId);
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), id},
        {QStringLiteral("urgency"), QVariant::fromValue(normalUrgency)},
    };
    call << QStringLiteral("Sorvane") << uint(0) << id << post.title
         << (escape ? escapedBody(post.body) : post.body) << QStringList() << hints << -1;
    // The reply (the notification's id) is of no use: nothing is ever replaced or closed.
    m_connection.asyncCall(call);
}

void DbusNotifier::serverChanged() {
    ++m_generation;
    m_capabilities = Capabilities::Unknown;
    if (!m_waiting.empty())
        askCapabilities();
}

} // namespace sorvane
