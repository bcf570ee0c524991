// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace sorvane {

/// What one process asks of the running application over its socket, and the answer: a
/// command with its arguments, then an exit status and the text to print.
struct InstanceRequest {
    QString command;
    QStringList arguments;

    QJsonObject toJson() const;
    static InstanceRequest fromJson(const QJsonObject& object);
};

struct InstanceReply {
    int exitCode = 0;
    QString output;
    QString errorOutput;

    QJsonObject toJson() const;
    static InstanceReply fromJson(const QJsonObject& object);
};

} // namespace sorvane
