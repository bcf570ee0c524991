#include "app/updater_view_model.h"

#include "platform/relative_time_text.h"
#include "platform/updater.h"

namespace sorvane {

UpdaterViewModel::UpdaterViewModel(Updater& updater, Clock clock, QObject* parent)
    : QObject(parent), m_updater(updater), m_clock(std::move(clock)),
      m_canCheckForUpdates(updater.canCheckForUpdates()),
      m_automaticallyChecks(updater.automaticallyChecksForUpdates()) {
    connect(&m_updater, &Updater::canCheckForUpdatesChanged, this,
            &UpdaterViewModel::setCanCheckForUpdates);
}

void UpdaterViewModel::start() {
    if (m_hasStarted)
        return;
    m_hasStarted = true;
    m_updater.start();
}

void UpdaterViewModel::checkForUpdates() {
    m_updater.checkForUpdates();
}

void UpdaterViewModel::setAutomaticallyChecks(bool on) {
    if (on != m_automaticallyChecks) {
        m_automaticallyChecks = on;
        emit automaticallyChecksChanged(on);
    }
    m_updater.setAutomaticallyChecksForUpdates(on);
}

QString UpdaterViewModel::lastCheckDescription() const {
    const std::optional<Timestamp> last = m_updater.lastUpdateCheckDate();
    if (!last)
        return QStringLiteral("Never checked");
    return QStringLiteral("Last checked ") +
           QString::fromStdString(RelativeTimeText::describe(*last, m_clock()));
}

QString UpdaterViewModel::versionText() {
    return versionText(QStringLiteral(SORVANE_VERSION));
}

QString UpdaterViewModel::versionText(QStringView shortVersion) {
    if (shortVersion.isEmpty())
        return QStringLiteral("Version ?");
    return QStringLiteral("Version ") + shortVersion.toString();
}

void UpdaterViewModel::setCanCheckForUpdates(bool canCheck) {
    if (canCheck == m_canCheckForUpdates)
        return;
    m_canCheckForUpdates = canCheck;
    emit canCheckForUpdatesChanged(canCheck);
}

} // namespace sorvane
