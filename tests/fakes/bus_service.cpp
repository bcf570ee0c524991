// SPDX-License-Identifier: MIT
#include "fakes/bus_service.h"

namespace sorvane::test {

bool BusService::start(QDBusConnection connection, QObject* object) {
    stop();
    if (!connection.registerObject(
            m_path, object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals))
        return false;
    if (!connection.registerService(m_name)) {
        connection.unregisterObject(m_path);
        return false;
    }
    m_connection = connection;
    return true;
}

void BusService::stop() {
    if (!m_connection)
        return;
    m_connection->unregisterService(m_name);
    m_connection->unregisterObject(m_path);
    m_connection.reset();
}

} // namespace sorvane::test
