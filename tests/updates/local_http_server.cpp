// SPDX-License-Identifier: MIT
#include "local_http_server.h"

#include <QTcpSocket>

namespace sorvane::test {

LocalHttpServer::LocalHttpServer() {
    m_server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto* request = new QByteArray;
            QObject::connect(socket, &QObject::destroyed, [request] { delete request; });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                const bool complete = request->contains("\r\n\r\n");
                *request += socket->readAll();
                if (!complete && request->contains("\r\n\r\n"))
                    answer(socket, *request);
            });
        }
    });
}

QUrl LocalHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

QUrl LocalHttpServer::closedPortUrl() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/releases.json").arg(port));
}

void LocalHttpServer::answer(QTcpSocket* socket, const QByteArray& request) {
    ++m_requests;
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    const auto found = m_routes.find(path);
    const Response response = found != m_routes.end() ? found->second : Response{.status = 404};

    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Test\r\n" +
                      "Content-Type: application/json\r\nConnection: close\r\n";
    if (response.sendLength)
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    socket->write(head + "\r\n");
    if (response.stall) {
        socket->write(response.body.left(response.body.size() / 2));
        return;
    }
    socket->write(response.body);
    socket->disconnectFromHost();
}

} // namespace sorvane::test
