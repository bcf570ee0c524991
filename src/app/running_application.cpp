// SPDX-License-Identifier: MIT
#include "app/running_application.h"

#include "app/instance_address.h"
#include "app/instance_client.h"
#include "app/interrupted_clean.h"
#include "app/undo_journal.h"
#include "platform/log_categories.h"
#include "scheduling/scheduler.h"

#include <QCoreApplication>

namespace sorvane {

RunningApplication::RunningApplication(QObject* parent)
    : QObject(parent), m_lock(UserLock::tryAcquire()) {
    if (!m_lock)
        return;
    m_parts = std::make_unique<ApplicationParts>();
    m_runner = std::make_unique<CommandRunner>(m_parts->state());
    connect(&m_signals, &TerminationSignals::received, this, &RunningApplication::quitSafely);
}

RunningApplication::~RunningApplication() = default;

QString RunningApplication::startedFor() {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QStringLiteral("--clean-now")))
        return QStringLiteral("clean");
    if (arguments.contains(QStringLiteral("--undo-last-clean")))
        return QStringLiteral("undo");
    return {};
}

bool RunningApplication::handOver() {
    const auto socket = InstanceAddress::find();
    if (!socket || !InstanceClient::send(*socket, {"show", {}}, 5000))
        return false;
    // The panel, now open, shows how the work goes and how it ended; waiting for the answer
    // only keeps this process until then.
    if (const QString command = startedFor(); !command.isEmpty())
        InstanceClient::send(*socket, {command, {}}, 60 * 60 * 1000);
    return true;
}

void RunningApplication::start() {
    if (!isPrimary())
        return;
    auto& state = m_parts->state();
    InterruptedClean::recoverLeftovers(state.history(), m_parts->files());
    UndoJournal::recoverInto(state.history(), state.undoJournalPath(), m_parts->files());
    m_server = std::make_unique<InstanceServer>(
        [this](const InstanceRequest& request, auto reply) { answer(request, std::move(reply)); });
    // Without a socket the application still cleans; later commands then find it busy.
    const auto socket = InstanceAddress::chooseSocket();
    if (socket && m_server->listen(*socket)) {
        if (const FileStatus published = InstanceAddress::publish(*socket); !published)
            qCWarning(logInstance) << "Commands will not find this instance:"
                                   << published.error().description().c_str();
    } else {
        qCWarning(logInstance) << "No instance socket, so commands will not reach this instance:"
                               << (socket ? m_server->errorString()
                                          : QStringLiteral("no private folder for it"));
    }
    state.start();
    m_parts->refreshLoginItem();
    if (const QString command = startedFor(); !command.isEmpty()) {
        emit showRequested();
        m_runner->run({command, {}}, [](const InstanceReply&) {});
    }
}

void RunningApplication::answer(const InstanceRequest& request,
                                std::function<void(InstanceReply)> reply) {
    if (request.command == "show") {
        emit showRequested();
        reply({});
    } else if (request.command == "status") {
        // Only the running scheduler knows where its count started before the first clean.
        reply({0, state().scheduler().statusText() + "\n", {}});
    } else {
        m_runner->run(request, std::move(reply));
    }
}

void RunningApplication::quitSafely() {
    if (!isPrimary()) {
        QCoreApplication::quit();
        return;
    }
    m_parts->state().finishWork([] { QCoreApplication::quit(); });
}

} // namespace sorvane
