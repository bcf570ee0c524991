#include "app/instance_server.h"

#include "app/user_lock.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QPointer>
#include <sys/socket.h>
#include <unistd.h>

namespace sorvane {
namespace {

constexpr qint64 maxRequestBytes = 1 << 20;

// The folder is the user's alone, but a socket can be reached by anyone who gets hold of
// a descriptor to it; the kernel's word on who is at the other end settles it.
bool peerIsThisUser(QLocalSocket& socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    const int fd = static_cast<int>(socket.socketDescriptor());
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == getuid();
}

} // namespace

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
}

std::filesystem::path InstanceServer::socketPath() {
    return UserLock::runtimeFolder() / "socket";
}

bool InstanceServer::listen(const std::filesystem::path& socket) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(socket.native()));
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

void InstanceServer::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(*socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > maxRequestBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const auto document = QJsonDocument::fromJson(socket->readLine());
            const auto request = InstanceRequest::fromJson(document.object());
            QPointer<QLocalSocket> peer = socket;
            m_handler(request, [peer](const InstanceReply& reply) {
                if (!peer)
                    return;
                peer->write(QJsonDocument(reply.toJson()).toJson(QJsonDocument::Compact) + "\n");
                peer->disconnectFromServer();
            });
        });
    }
}

} // namespace sorvane
