// SPDX-License-Identifier: MIT
#include "fakes/fake_file_manager.h"

namespace sorvane::test {
namespace {

const QString serviceName = QStringLiteral("org.freedesktop.FileManager1");
const QString objectPath = QStringLiteral("/org/freedesktop/FileManager1");

} // namespace

FakeFileManager::FakeFileManager(QObject* parent)
    : QObject(parent), m_service(serviceName, objectPath) {}

FakeFileManager::~FakeFileManager() {
    stop();
}

bool FakeFileManager::start(QDBusConnection connection) {
    return m_service.start(connection, this);
}

void FakeFileManager::stop() {
    m_service.stop();
}

bool FakeFileManager::failed() {
    if (m_error)
        sendErrorReply(*m_error, QStringLiteral("The file manager could not show the items."));
    return m_error.has_value();
}

void FakeFileManager::ShowItems(const QStringList& uris, const QString& startupId) {
    m_shownItems.push_back(uris);
    m_startupIds.push_back(startupId);
    failed();
}

void FakeFileManager::ShowFolders(const QStringList&, const QString&) {
    failed();
}

void FakeFileManager::ShowItemProperties(const QStringList&, const QString&) {
    failed();
}

} // namespace sorvane::test
