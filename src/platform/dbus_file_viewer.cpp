// SPDX-License-Identifier: MIT
#include "platform/dbus_file_viewer.h"

#include "platform/log_categories.h"
#include "platform/percent_encoding.h"
#include "platform/url_opener.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QUrl>

namespace sorvane {

DbusFileViewer::DbusFileViewer(UrlOpener& fallback, QDBusConnection connection, QObject* parent)
    : QObject(parent), m_fallback(fallback), m_connection(std::move(connection)) {}

QByteArray DbusFileViewer::fileUri(const std::filesystem::path& path) {
    return "file://" + QByteArray::fromStdString(PercentEncoding::encodePath(path.native()));
}

void DbusFileViewer::showItem(const std::filesystem::path& item) {
    std::filesystem::path absolute = item.is_absolute() ? item : std::filesystem::absolute(item);
    // "/a/b/" names the folder b, whose parent is /a, not b itself.
    if (!absolute.has_filename() && absolute.has_relative_path())
        absolute = absolute.parent_path();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // The URI is ASCII by construction, so the string carries its bytes unchanged.
    call << QStringList{QString::fromLatin1(fileUri(absolute))} << QString();

    const QByteArray folder = fileUri(absolute.parent_path());
    // Without a bus (a session started from a console) Qt answers no call, not even with an
    // error, so a watcher would wait for ever.
    if (!m_connection.isConnected()) {
        m_fallback.open(QUrl::fromEncoded(folder, QUrl::StrictMode));
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, folder](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (!finished->isError())
                    return;
                qCInfo(logDbus) << "The file manager did not show the item, so its folder opens:"
                                << finished->error().message();
                m_fallback.open(QUrl::fromEncoded(folder, QUrl::StrictMode));
            });
}

} // namespace sorvane
