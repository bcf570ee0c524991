// SPDX-License-Identifier: MIT
#include "platform/dbus_notifier.h"

#include "platform/application_id.h"
#include "platform/log_categories.h"

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
    m_connection.connect(service, objectPath, service, QStringLiteral("ActionInvoked"), this,
                         SLOT(actionInvoked(uint, QString)));
    m_connection.connect(service, objectPath, service, QStringLiteral("NotificationClosed"), this,
                         SLOT(notificationClosed(uint, uint)));
}

DbusNotifier::~DbusNotifier() = default;

void DbusNotifier::post(const QString& title, const QString& body,
                        std::vector<NotificationAction> actions) {
    // Qt answers no call on a connection that never reached a bus, not even with an error;
    // waiting for the capabilities would keep the post for ever.
    if (!m_connection.isConnected())
        return;
    if (m_capabilities == Capabilities::Known) {
        send({title, body, std::move(actions)}, m_bodyMarkup);
        return;
    }
    m_waiting.push_back({title, body, std::move(actions)});
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
        qCWarning(logDbus) << "The notification server did not say what it can:"
                           << reply.error().message();
        m_capabilities = Capabilities::Unknown;
    } else {
        m_capabilities = Capabilities::Known;
        m_bodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
        m_actions = reply.value().contains(QStringLiteral("actions"));
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
    // Keys are the actions' indexes; the server shows the labels.
    QStringList actions;
    if (m_actions)
        for (std::size_t i = 0; i < post.actions.size(); ++i)
            actions << QString::number(i) << post.actions[i].label;
    call << QStringLiteral("Sorvane") << uint(0) << id << post.title
         << (escape ? escapedBody(post.body) : post.body) << actions << hints << -1;
    if (actions.isEmpty()) {
        // The reply (the notification's id) is of no use: nothing is replaced or closed.
        m_connection.asyncCall(call);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, actions = post.actions](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError())
                    qCWarning(logDbus)
                        << "A notification was not shown:" << reply.error().message();
                else
                    m_shown[reply.value()] = actions;
            });
}

void DbusNotifier::actionInvoked(uint id, const QString& key) {
    const auto shown = m_shown.find(id);
    bool isIndex = false;
    const std::size_t index = key.toUInt(&isIndex);
    if (shown == m_shown.end() || !isIndex || index >= shown->second.size())
        return;
    // Copied: the action may post again, and a server may close the notification meanwhile.
    const auto run = shown->second[index].run;
    run();
}

void DbusNotifier::notificationClosed(uint id, uint) {
    m_shown.erase(id);
}

void DbusNotifier::serverChanged() {
    ++m_generation;
    // The ids were the old server's.
    m_shown.clear();
    m_capabilities = Capabilities::Unknown;
    if (!m_waiting.empty())
        askCapabilities();
}

} // namespace sorvane
