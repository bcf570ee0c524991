// SPDX-License-Identifier: MIT
#pragma once

#include "fakes/bus_service.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

namespace sorvane::test {

/// A file manager's `org.freedesktop.FileManager1` service for a private bus: it keeps the
/// URIs of every ShowItems call and can be told to answer with an error.
class FakeFileManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    explicit FakeFileManager(QObject* parent = nullptr);
    ~FakeFileManager() override;

    bool start(QDBusConnection connection);
    void stop();

    /// Later calls are answered with this D-Bus error, as a broken file manager would.
    void failWith(const QString& errorName) { m_error = errorName; }

    const std::vector<QStringList>& shownItems() const { return m_shownItems; }
    const QStringList& startupIds() const { return m_startupIds; }

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString& startupId);
    void ShowFolders(const QStringList& uris, const QString& startupId);
    void ShowItemProperties(const QStringList& uris, const QString& startupId);

private:
    bool failed();

    BusService m_service;
    std::optional<QString> m_error;
    std::vector<QStringList> m_shownItems;
    QStringList m_startupIds;
};

} // namespace sorvane::test
