// SPDX-License-Identifier: MIT
#include "app/instance_server.h"

#include "app/peer_credentials.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QPointer>

namespace sorvane {
namespace {

constexpr qint64 maxRequestBytes = 1 << 20;

} // namespace

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::accept);
}

bool InstanceServer::listen(const std::filesystem::path& socket) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(socket.native()));
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

void InstanceServer::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The folder is private, but the kernel's word on who is at the other end settles it.
        if (!PeerCredentials::isThisUser(socket->socketDescriptor())) {
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
                // The answer may be the last thing the application does before it quits (a
                // logout during a clean): it must be out before the event loop ends.
                peer->flush();
                if (peer->bytesToWrite() > 0)
                    peer->waitForBytesWritten(1000);
                peer->disconnectFromServer();
            });
        });
    }
}

} // namespace sorvane
