// SPDX-License-Identifier: MIT
#pragma once

#include "app/instance_request.h"

#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <functional>

namespace sorvane {

/// The running application's door for later starts of the program: a user-only local
/// socket that takes one request per connection and answers it.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    /// Answers a request; call `reply` once, at once or when the work is done.
    using Handler = std::function<void(const InstanceRequest& request,
                                       std::function<void(InstanceReply)> reply)>;

    explicit InstanceServer(Handler handler, QObject* parent = nullptr);

    /// Listens at `socket`, replacing a socket file left by a process that died. Only the
    /// holder of the user lock may call this.
    bool listen(const std::filesystem::path& socket);
    /// Why the last `listen` failed.
    QString errorString() const { return m_server.errorString(); }

private:
    void accept();

    Handler m_handler;
    QLocalServer m_server;
};

} // namespace sorvane
