// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <QObject>
#include <QString>
#include <QStringView>
#include <functional>

namespace sorvane {

class Updater;

/// What the menu-bar panel and the Updates tab show of the updater, and what they ask of it.
/// Without an updater (a build made with -DSORVANE_UPDATE_CHECK=OFF) there is nothing to
/// check with: the views show only the installed version.
class UpdaterViewModel : public QObject {
    Q_OBJECT

public:
    /// Takes the automatic-check flag from the updater, if there is one; starts nothing.
    UpdaterViewModel(Updater* updater, Clock clock, QObject* parent = nullptr);

    /// False when there is no updater to check with.
    bool isAvailable() const { return m_updater != nullptr; }

    /// Starts the updater the first time; later calls do nothing.
    void start();
    bool hasStarted() const { return m_hasStarted; }

    /// A check whose outcome the updater's own dialog shows, raised to the front.
    void checkForUpdates();
    bool canCheckForUpdates() const { return m_canCheckForUpdates; }

    bool automaticallyChecks() const { return m_automaticallyChecks; }
    void setAutomaticallyChecks(bool on);

    /// "Never checked", or "Last checked 3 hours ago".
    QString lastCheckDescription() const;

    /// "Version 1.0.0", from the project's version.
    static QString versionText();
    /// "Version " and the given version, or "Version ?" when there is none.
    static QString versionText(QStringView shortVersion);

signals:
    void canCheckForUpdatesChanged(bool canCheck);
    void automaticallyChecksChanged(bool on);

private:
    void setCanCheckForUpdates(bool canCheck);

    Updater* m_updater;
    Clock m_clock;
    bool m_hasStarted = false;
    bool m_canCheckForUpdates = false;
    bool m_automaticallyChecks = false;
};

} // namespace sorvane
