// SPDX-License-Identifier: MIT
#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace sorvane {

/// Notifications through the freedesktop.org notification server on a D-Bus connection
/// (the session bus in the program).
///
/// The server's capabilities decide whether the body is read as markup, so they are asked
/// once before the first notification and again only after another server took the name.
/// Posts made before the answer wait for it rather than guess; if no answer comes, the body
/// is escaped, since a stray "&" or "<" can make a markup server drop the whole body while
/// an escaped one merely shows an entity. Every call is asynchronous and a missing server
/// loses the notification without a word. Actions go only to a server that lists the
/// `actions` capability; each runs when the server reports it invoked, until the
/// notification is closed.
class DbusNotifier : public QObject, public Notifier {
    Q_OBJECT

public:
    explicit DbusNotifier(QDBusConnection connection = QDBusConnection::sessionBus(),
                          QObject* parent = nullptr);
    ~DbusNotifier() override;

    using Notifier::post;
    void post(const QString& title, const QString& body,
              std::vector<NotificationAction> actions) override;

    /// `&`, `<` and `>` as entities, for a server that reads the body as markup.
    static QString escapedBody(const QString& body);

private:
    enum class Capabilities { Unknown, Asking, Known };
    struct Post {
        QString title;
        QString body;
        std::vector<NotificationAction> actions;
    };

    void askCapabilities();
    void capabilitiesAnswered(QDBusPendingCallWatcher* watcher);
    void send(const Post& post, bool escape);
    void serverChanged();
    Q_SLOT void actionInvoked(uint id, const QString& key);
    Q_SLOT void notificationClosed(uint id, uint reason);

    QDBusConnection m_connection;
    QDBusServiceWatcher* m_serverWatcher;
    Capabilities m_capabilities = Capabilities::Unknown;
    bool m_bodyMarkup = false;
    bool m_actions = false;
    // Bumped whenever the server changes, so that an answer from the old one is ignored.
    quint64 m_generation = 0;
    std::vector<Post> m_waiting;
    // The actions of the notifications on screen, by the server's id.
    std::map<uint, std::vector<NotificationAction>> m_shown;
};

} // namespace sorvane
