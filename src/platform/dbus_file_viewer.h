// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_viewer.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>

namespace sorvane {

class UrlOpener;

/// Shows an item through the file manager's `org.freedesktop.FileManager1` service on a D-Bus
/// connection (the session bus in the program), which opens the item's folder with the item
/// selected. When no file manager answers, the item's folder is opened through `fallback`
/// instead, which at least shows where the item is. The call never waits for the answer.
class DbusFileViewer : public QObject, public FileViewer {
    Q_OBJECT

public:
    explicit DbusFileViewer(UrlOpener& fallback,
                            QDBusConnection connection = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    void showItem(const std::filesystem::path& item) override;

    /// The `file://` URI of an absolute path, built from its bytes so that names that are
    /// not UTF-8 survive.
    static QByteArray fileUri(const std::filesystem::path& path);

private:
    UrlOpener& m_fallback;
    QDBusConnection m_connection;
};

} // namespace sorvane
