// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

namespace sorvane::test {

/// A fake server's place on a bus: its well-known name and its object, taken together and
/// given back together.
class BusService {
public:
    BusService(QString name, QString path) : m_name(std::move(name)), m_path(std::move(path)) {}
    ~BusService() { stop(); }

    /// Exports `object`'s slots and takes the name; false when either is refused.
    bool start(QDBusConnection connection, QObject* object);
    void stop();
    /// The connection while started.
    const std::optional<QDBusConnection>& connection() const { return m_connection; }

private:
    QString m_name;
    QString m_path;
    std::optional<QDBusConnection> m_connection;
};

} // namespace sorvane::test
