// SPDX-License-Identifier: MIT
#include "app/instance_request.h"

#include <QJsonArray>

namespace sorvane {

QJsonObject InstanceRequest::toJson() const {
    return {{"command", command}, {"arguments", QJsonArray::fromStringList(arguments)}};
}

InstanceRequest InstanceRequest::fromJson(const QJsonObject& object) {
    InstanceRequest request;
    request.command = object.value("command").toString();
    for (const auto& argument : object.value("arguments").toArray())
        request.arguments.append(argument.toString());
    return request;
}

QJsonObject InstanceReply::toJson() const {
    return {{"exitCode", exitCode}, {"output", output}, {"errorOutput", errorOutput}};
}

InstanceReply InstanceReply::fromJson(const QJsonObject& object) {
    return {object.value("exitCode").toInt(1), object.value("output").toString(),
            object.value("errorOutput").toString()};
}

} // namespace sorvane
