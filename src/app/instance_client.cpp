// SPDX-License-Identifier: MIT
#include "app/instance_client.h"

#include "app/peer_credentials.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QLocalSocket>

namespace sorvane {

std::optional<InstanceReply> InstanceClient::send(const std::filesystem::path& socket,
                                                  const InstanceRequest& request, int timeoutMs) {
    QLocalSocket connection;
    connection.connectToServer(QFile::decodeName(QByteArray::fromStdString(socket.native())));
    // Only the user's own application may hear the request (it may carry paths) and answer it.
    if (!connection.waitForConnected(1000) ||
        !PeerCredentials::isThisUser(connection.socketDescriptor()))
        return std::nullopt;
    connection.write(QJsonDocument(request.toJson()).toJson(QJsonDocument::Compact) + "\n");
    if (!connection.waitForBytesWritten(1000))
        return std::nullopt;
    QElapsedTimer elapsed;
    elapsed.start();
    while (!connection.canReadLine()) {
        const int left = timeoutMs - static_cast<int>(elapsed.elapsed());
        if (left <= 0 || !connection.waitForReadyRead(left))
            return std::nullopt;
    }
    const auto document = QJsonDocument::fromJson(connection.readLine());
    if (!document.isObject())
        return std::nullopt;
    return InstanceReply::fromJson(document.object());
}

} // namespace sorvane
