// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QUrl>
#include <map>

namespace sorvane::test {

/// A plain HTTP/1.1 server on 127.0.0.1 in the test's own process, answering each path with
/// a prepared response; it can also leave a response unfinished, as a stuck server would.
class LocalHttpServer {
public:
    struct Response {
        int status = 200;
        QByteArray body{};
        /// Without a length the body ends when the connection closes.
        bool sendLength = true;
        /// Sends the headers and part of the body, then nothing more, without closing.
        bool stall = false;
        QByteArray location{};
    };

    LocalHttpServer();

    void route(const QString& path, Response response) { m_routes[path] = std::move(response); }
    QUrl url(const QString& path) const;
    int requestCount() const { return m_requests; }

    /// An address on which nothing listens: the port of a server that was just closed.
    static QUrl closedPortUrl();

private:
    void answer(class QTcpSocket* socket, const QByteArray& request);

    QTcpServer m_server;
    std::map<QString, Response> m_routes;
    int m_requests = 0;
};

} // namespace sorvane::test
