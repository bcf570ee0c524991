// SPDX-License-Identifier: MIT
#include "updates/updater_view_model.h"

#include "platform/relative_time_text.h"
#if SORVANE_UPDATE_CHECK
#include "updates/updater.h"
#endif

namespace sorvane {

// A build without the update checker links no updater (and with it no HTTP), so it may not
// name one: every call into it is left out, and an updater handed in anyway is ignored.
#if SORVANE_UPDATE_CHECK

UpdaterViewModel::UpdaterViewModel(Updater* updater, Clock clock, QObject* parent)
    : QObject(parent), m_updater(updater), m_clock(std::move(clock)) {
    if (!m_updater)
        return;
    m_canCheckForUpdates = m_updater->canCheckForUpdates();
    m_automaticallyChecks = m_updater->automaticallyChecksForUpdates();
    connect(m_updater, &Updater::canCheckForUpdatesChanged, this,
            &UpdaterViewModel::setCanCheckForUpdates);
}

void UpdaterViewModel::start() {
    if (m_hasStarted)
        return;
    m_hasStarted = true;
    if (m_updater)
        m_updater->start();
}

void UpdaterViewModel::checkForUpdates() {
    if (m_updater)
        m_updater->checkForUpdates();
}

void UpdaterViewModel::setAutomaticallyChecks(bool on) {
    if (!m_updater)
        return;
    if (on != m_automaticallyChecks) {
        m_automaticallyChecks = on;
        emit automaticallyChecksChanged(on);
    }
    m_updater->setAutomaticallyChecksForUpdates(on);
}

QString UpdaterViewModel::lastCheckDescription() const {
    if (!m_updater)
        return {};
    const std::optional<Timestamp> last = m_updater->lastUpdateCheckDate();
    if (!last)
        return tr("Never checked");
    return tr("Last checked %1")
        .arg(QString::fromStdString(RelativeTimeText::describe(*last, m_clock())));
}

#else

UpdaterViewModel::UpdaterViewModel(Updater*, Clock clock, QObject* parent)
    : QObject(parent), m_updater(nullptr), m_clock(std::move(clock)) {}

void UpdaterViewModel::start() {
    m_hasStarted = true;
}

void UpdaterViewModel::checkForUpdates() {}

void UpdaterViewModel::setAutomaticallyChecks(bool) {}

QString UpdaterViewModel::lastCheckDescription() const {
    return {};
}

#endif

QString UpdaterViewModel::versionText() {
    return versionText(QStringLiteral(SORVANE_VERSION));
}

QString UpdaterViewModel::versionText(QStringView shortVersion) {
    if (shortVersion.isEmpty())
        return tr("Version ?");
    return tr("Version %1").arg(shortVersion.toString());
}

void UpdaterViewModel::setCanCheckForUpdates(bool canCheck) {
    if (canCheck == m_canCheckForUpdates)
        return;
    m_canCheckForUpdates = canCheck;
    emit canCheckForUpdatesChanged(canCheck);
}

} // namespace sorvane
