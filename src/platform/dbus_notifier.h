#pragma once

#include "platform/notifier.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
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
/// loses the notification without a word.
class DbusNotifier : public QObject, public Notifier {
    Q_OBJECT

public:
    explicit DbusNotifier(QDBusConnection connection = QDBusConnection::sessionBus(),
                          QObject* parent = nullptr);
    ~DbusNotifier() override;

    void post(const QString& title, const QString& body) override;

    /// `&`, `<` and `>` as entities, for a server that reads the body as markup.
    static QString escapedBody(const QString& body);

private:
    enum class Capabilities { Unknown, Asking, Known };
    struct Post {
        QString title;
        QString body;
    };

    void askCapabilities();
    void capabilitiesAnswered(QDBusPendingCallWatcher* watcher);
    void send(const Post& post, bool escape);
    void serverChanged();

    QDBusConnection m_connection;
    QDBusServiceWatcher* m_serverWatcher;
    Capabilities m_capabilities = Capabilities::Unknown;
    bool m_bodyMarkup = false;
    // Bumped whenever the server changes, so that an answer from the old one is ignored.
    quint64 m_generation = 0;
    std::vector<Post> m_waiting;
};

} // namespace sorvane
