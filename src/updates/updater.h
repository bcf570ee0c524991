// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"
#include "updates/update_check_result.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVersionNumber>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace sorvane {

class PreferencesStore;
class UpdatePresenter;

/// Finds out whether a newer version has been published, from a small JSON feed on the
/// product's web site. It downloads and installs nothing: the user is shown the release page.
///
/// Automatic checks are off until the user turns them on; then one runs at most once a day
/// while the application runs. The flag and the date of the last check that got an answer are
/// kept in the preferences store under the updater's own keys.
class Updater : public QObject {
    Q_OBJECT

public:
    struct Options {
        QUrl feedAddress;
        /// For the whole transfer, however steadily the bytes trickle in.
        std::chrono::milliseconds transferLimit;
        qint64 sizeLimit = 0;
    };

    static constexpr std::chrono::hours checkInterval{24};
    /// How soon an automatic check that failed is tried again, and how long the updater ever
    /// sleeps before it looks at the clock again (timers stand still while the machine sleeps).
    static constexpr std::chrono::hours retryInterval{1};

    /// https://sorvane.app/releases.json, or the address in SORVANE_UPDATE_FEED.
    static QUrl feedAddressFromEnvironment();
    /// That address, 30 seconds, 1 MiB.
    static Options defaultOptions();

    Updater(PreferencesStore& store, UpdatePresenter& presenter, QVersionNumber installedVersion,
            Clock clock, Options options, QObject* parent = nullptr);
    ~Updater() override;

    /// Allows checks from now on and begins the automatic ones when they are on. Later calls
    /// do nothing.
    void start();
    bool hasStarted() const { return m_started; }

    /// False before `start` and while a check runs.
    bool canCheckForUpdates() const { return m_started && !m_checking; }
    /// A check the user asked for; its outcome, whatever it is, is presented.
    void checkForUpdates();

    bool automaticallyChecksForUpdates() const { return m_automaticallyChecks; }
    void setAutomaticallyChecksForUpdates(bool on);

    std::optional<Timestamp> lastUpdateCheckDate() const { return m_lastCheck; }

signals:
    void canCheckForUpdatesChanged(bool canCheck);
    void automaticallyChecksForUpdatesChanged(bool on);
    void lastUpdateCheckDateChanged();
    /// After each check, before the outcome is presented.
    void checkFinished(const sorvane::UpdateCheckResult& result);

private:
    void scheduleAutomaticCheck();
    void beginCheck(bool userInitiated);
    void onMetaDataChanged();
    void onReadyRead();
    void onRedirected(const QUrl& destination);
    void onFinished();
    void fail(const QString& error);
    void finish(UpdateCheckResult result);
    void setChecking(bool checking);

    PreferencesStore& m_store;
    UpdatePresenter& m_presenter;
    QVersionNumber m_installedVersion;
    Clock m_clock;
    Options m_options;
    bool m_started = false;
    bool m_checking = false;
    bool m_automaticallyChecks = false;
    bool m_userInitiated = false;
    std::optional<Timestamp> m_lastCheck;
    std::optional<Timestamp> m_retryAt;
    // Made at the first check, so that nothing touches the network before.
    std::unique_ptr<QNetworkAccessManager> m_network;
    QNetworkReply* m_reply = nullptr;
    QByteArray m_body;
    QTimer m_transferTimer;
    QTimer m_automaticTimer;
};

} // namespace sorvane
