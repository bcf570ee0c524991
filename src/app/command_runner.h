// SPDX-License-Identifier: MIT
#pragma once

#include "app/instance_request.h"

#include <QObject>
#include <functional>

namespace sorvane {

class AppState;

/// Carries out the commands that change something (clean, undo, pin, unpin) on the
/// application state, for the command line in its own process and for the running
/// application on behalf of a later start. Both answer alike.
class CommandRunner : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(InstanceReply)>;

    explicit CommandRunner(AppState& state, QObject* parent = nullptr);

    /// True for the commands this runner carries out.
    static bool handles(const QString& command);

    /// Answers once, when the work is done. The paths of pin and unpin are given as base64
    /// of their bytes.
    void run(const InstanceRequest& request, Reply reply);

private:
    void clean(Reply reply);
    void undo(Reply reply);
    void tag(const QStringList& paths, bool pin, Reply reply);

    AppState& m_state;
};

} // namespace sorvane
