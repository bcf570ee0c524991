// SPDX-License-Identifier: MIT
#include "updates/updater.h"

#include "settings/preferences_store.h"
#include "updates/release_feed.h"
#include "updates/update_presenter.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>
#include <cstdlib>

namespace sorvane {
namespace {

// The updater's own keys, beside the application's settings in the same store.
const QString automaticallyChecksKey = QStringLiteral("updaterAutomaticallyChecks");
const QString lastCheckDateKey = QStringLiteral("updaterLastCheckDate");

} // namespace

QUrl Updater::feedAddressFromEnvironment() {
    const char* override = std::getenv("SORVANE_UPDATE_FEED");
    if (override && *override)
        return QUrl(QString::fromLocal8Bit(override), QUrl::StrictMode);
    return QUrl(QStringLiteral("https://sorvane.app/releases.json"));
}

Updater::Options Updater::defaultOptions() {
    return {feedAddressFromEnvironment(), std::chrono::seconds(30), 1024 * 1024};
}

Updater::Updater(PreferencesStore& store, UpdatePresenter& presenter,
                 QVersionNumber installedVersion, Clock clock, Options options, QObject* parent)
    : QObject(parent), m_store(store), m_presenter(presenter),
      m_installedVersion(std::move(installedVersion)), m_clock(std::move(clock)),
      m_options(std::move(options)), m_transferTimer(this), m_automaticTimer(this) {
    m_automaticallyChecks = m_store.boolean(automaticallyChecksKey);
    if (const std::optional<PreferenceValue> stored = m_store.object(lastCheckDateKey);
        stored && std::holds_alternative<QDateTime>(*stored))
        m_lastCheck = fromDateTime(std::get<QDateTime>(*stored));

    m_transferTimer.setSingleShot(true);
    connect(&m_transferTimer, &QTimer::timeout, this,
            [this] { fail(tr("The update server took too long to answer. Try again later.")); });
    m_automaticTimer.setSingleShot(true);
    m_automaticTimer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_automaticTimer, &QTimer::timeout, this, &Updater::scheduleAutomaticCheck);
}

Updater::~Updater() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
}

void Updater::start() {
    if (m_started)
        return;
    m_started = true;
    emit canCheckForUpdatesChanged(true);
    scheduleAutomaticCheck();
}

void Updater::checkForUpdates() {
    if (canCheckForUpdates())
        beginCheck(true);
}

void Updater::setAutomaticallyChecksForUpdates(bool on) {
    m_automaticallyChecks = on;
    m_store.setBoolean(automaticallyChecksKey, on);
    m_retryAt.reset();
    emit automaticallyChecksForUpdatesChanged(on);
    scheduleAutomaticCheck();
}

void Updater::scheduleAutomaticCheck() {
    m_automaticTimer.stop();
    if (!m_started || !m_automaticallyChecks || !canCheckForUpdates())
        return;
    const Timestamp now = m_clock();
    Timestamp due = now;
    // A last check in the future means the clock was set back; it does not hold checks off.
    if (m_lastCheck && *m_lastCheck <= now)
        due = *m_lastCheck + checkInterval;
    if (m_retryAt)
        due = std::max(due, *m_retryAt);
    if (due <= now) {
        beginCheck(false);
        return;
    }
    const auto wait = std::min<Timestamp::duration>(due - now, retryInterval);
    m_automaticTimer.start(std::chrono::ceil<std::chrono::milliseconds>(wait));
}

void Updater::beginCheck(bool userInitiated) {
    m_userInitiated = userInitiated;
    m_body.clear();
    setChecking(true);
    const QUrl& address = m_options.feedAddress;
    if (!ReleaseFeed::isFeedAddress(address)) {
        fail(tr("The update address \u201C%1\u201D is not a secure (https) address.")
                 .arg(address.toDisplayString()));
        return;
    }
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(address);
    // Every redirect is checked against the same rule as the feed's own address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Sorvane/") + m_installedVersion.toString());
    request.setRawHeader("Accept", "application/json");
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &Updater::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &Updater::onReadyRead);
    connect(m_reply, &QNetworkReply::redirected, this, &Updater::onRedirected);
    connect(m_reply, &QNetworkReply::finished, this, &Updater::onFinished);
    // setTransferTimeout would only notice silence; a server that sends a byte a second would
    // keep the check open for ever.
    m_transferTimer.start(m_options.transferLimit);
}

void Updater::onMetaDataChanged() {
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_options.sizeLimit)
        fail(tr("The update information was larger than expected, so Sorvane did "
                "not read it."));
}

void Updater::onReadyRead() {
    m_body += m_reply->readAll();
    if (m_body.size() > m_options.sizeLimit)
        fail(tr("The update information was larger than expected, so Sorvane did "
                "not read it."));
}

void Updater::onRedirected(const QUrl& destination) {
    // Never from https down to plain http, not even to this machine.
    const bool downgrade = destination.scheme() != QLatin1String("https") &&
                           m_options.feedAddress.scheme() == QLatin1String("https");
    if (ReleaseFeed::isFeedAddress(destination) && !downgrade)
        emit m_reply->redirectAllowed();
    else
        fail(tr("The update server sent Sorvane to an address it does not trust."));
}

void Updater::onFinished() {
    onReadyRead();
    if (!m_reply)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && (status < 200 || status > 299)) {
        fail(tr("The update server answered with an error (HTTP %1). Try again "
                "later.")
                 .arg(status));
        return;
    }
    if (m_reply->error() != QNetworkReply::NoError) {
        fail(tr("Sorvane could not reach the update server. Check your internet "
                "connection and try again."));
        return;
    }

    const ReleaseFeed feed = ReleaseFeed::parse(m_body);
    if (!feed.isValid()) {
        fail(feed.error());
        return;
    }
    UpdateCheckResult result;
    result.outcome = UpdateCheckResult::Outcome::upToDate;
    if (const std::optional<ReleaseFeed::Release>& newest = feed.newest()) {
        result.newestVersion = newest->name;
        result.releasePage = newest->page;
        result.notes = newest->notes;
        if (newest->version > m_installedVersion)
            result.outcome = UpdateCheckResult::Outcome::updateAvailable;
    }
    finish(std::move(result));
}

void Updater::fail(const QString& error) {
    UpdateCheckResult result;
    result.outcome = UpdateCheckResult::Outcome::failed;
    result.error = error;
    finish(std::move(result));
}

void Updater::finish(UpdateCheckResult result) {
    m_transferTimer.stop();
    if (QNetworkReply* reply = std::exchange(m_reply, nullptr)) {
        // Disconnected first: aborting reports `finished` at once.
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();

    result.userInitiated = m_userInitiated;
    result.installedVersion = m_installedVersion.toString();
    const Timestamp now = m_clock();
    if (result.outcome == UpdateCheckResult::Outcome::failed) {
        // A failure changes nothing the user sees later; the automatic check waits a while
        // before it tries again, whoever asked this time.
        m_retryAt = now + retryInterval;
    } else {
        m_retryAt.reset();
        m_lastCheck = now;
        m_store.setDate(lastCheckDateKey, toDateTime(now));
        emit lastUpdateCheckDateChanged();
    }

    emit checkFinished(result);
    // An automatic check speaks up only when there is something new.
    if (m_userInitiated || result.outcome == UpdateCheckResult::Outcome::updateAvailable)
        m_presenter.present(result);
    setChecking(false);
    scheduleAutomaticCheck();
}

void Updater::setChecking(bool checking) {
    const bool could = canCheckForUpdates();
    m_checking = checking;
    if (could != canCheckForUpdates())
        emit canCheckForUpdatesChanged(canCheckForUpdates());
}

} // namespace sorvane
