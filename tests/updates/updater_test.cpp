// SPDX-License-Identifier: MIT
#include "fakes/memory_preferences_store.h"
#include "local_http_server.h"
#include "support/scoped_environment.h"
#include "updates/release_feed.h"
#include "updates/update_presenter.h"
#include "updates/updater.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;
using Outcome = UpdateCheckResult::Outcome;

class RecordingPresenter : public UpdatePresenter {
public:
    void present(const UpdateCheckResult& result) override { presented.push_back(result); }
    std::vector<UpdateCheckResult> presented;
};

const QByteArray currentFeed = R"({"releases": [
    {"version": "0.9.0", "url": "https://sorvane.app/releases/0.9.0"},
    {"version": "1.0.0", "url": "https://sorvane.app/releases/1.0.0"},
    {"version": "1.1.0-beta.2", "url": "https://sorvane.app/releases/1.1.0-beta.2"}]})";

const QByteArray newerFeed = R"({"releases": [
    {"version": "1.0.0", "url": "https://sorvane.app/releases/1.0.0"},
    {"version": "v1.2.0", "url": "https://sorvane.app/releases/1.2.0", "notes": "Undo more."}]})";

class UpdaterTest : public ::testing::Test {
protected:
    UpdaterTest() {
        m_server.route("/releases.json", {.body = currentFeed});
        m_server.route("/newer.json", {.body = newerFeed});
    }

    std::unique_ptr<Updater> makeUpdater(const QUrl& feed,
                                         std::chrono::milliseconds transferLimit = 10s) {
        auto updater = std::make_unique<Updater>(
            m_store, m_presenter, QVersionNumber(1, 0, 0), [this] { return now; },
            Updater::Options{feed, transferLimit, 1 << 20});
        QObject::connect(updater.get(), &Updater::checkFinished,
                         [this](const UpdateCheckResult& result) { results.push_back(result); });
        return updater;
    }

    /// Runs the event loop until `count` checks have finished.
    bool waitForResults(std::size_t count) {
        return QTest::qWaitFor([&] { return results.size() >= count; }, 15000);
    }

    UpdateCheckResult checkOnce(const QUrl& feed, std::chrono::milliseconds limit = 10s) {
        const std::unique_ptr<Updater> updater = makeUpdater(feed, limit);
        updater->start();
        const std::size_t before = results.size();
        updater->checkForUpdates();
        EXPECT_TRUE(waitForResults(before + 1));
        EXPECT_TRUE(updater->canCheckForUpdates());
        return results.empty() ? UpdateCheckResult{} : results.back();
    }

    test::LocalHttpServer m_server;
    MemoryPreferencesStore m_store;
    RecordingPresenter m_presenter;
    Timestamp now = Timestamp(1749549600s);
    std::vector<UpdateCheckResult> results;
};

TEST_F(UpdaterTest, NoCheckBeforeStartAndNoneWhileOneRuns) {
    const std::unique_ptr<Updater> updater = makeUpdater(m_server.url("/releases.json"));
    QSignalSpy changes(updater.get(), &Updater::canCheckForUpdatesChanged);
    EXPECT_FALSE(updater->canCheckForUpdates());
    updater->checkForUpdates();
    EXPECT_TRUE(changes.isEmpty());

    updater->start();
    updater->checkForUpdates();
    updater->checkForUpdates();
    ASSERT_TRUE(waitForResults(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_server.requestCount(), 1);
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes[0][0].toBool(), true);
    EXPECT_EQ(changes[1][0].toBool(), false);
    EXPECT_EQ(changes[2][0].toBool(), true);
}

TEST_F(UpdaterTest, TheNewestPublishedVersionBeingOursIsUpToDate) {
    const UpdateCheckResult result = checkOnce(m_server.url("/releases.json"));
    EXPECT_EQ(result.outcome, Outcome::upToDate);
    EXPECT_EQ(result.newestVersion, "1.0.0");
    EXPECT_EQ(result.installedVersion, "1.0.0");
    EXPECT_TRUE(result.userInitiated);
    ASSERT_EQ(m_presenter.presented.size(), 1u);
    EXPECT_EQ(m_presenter.presented[0].outcome, Outcome::upToDate);
    EXPECT_EQ(m_store.object("updaterLastCheckDate"),
              std::optional<PreferenceValue>(QDateTime::fromSecsSinceEpoch(1749549600, Qt::UTC)));
}

TEST_F(UpdaterTest, ANewerVersionIsOfferedWithItsReleasePage) {
    const UpdateCheckResult result = checkOnce(m_server.url("/newer.json"));
    EXPECT_EQ(result.outcome, Outcome::updateAvailable);
    EXPECT_EQ(result.newestVersion, "v1.2.0");
    EXPECT_EQ(result.releasePage, QUrl("https://sorvane.app/releases/1.2.0"));
    EXPECT_EQ(result.notes, "Undo more.");
    ASSERT_EQ(m_presenter.presented.size(), 1u);
}

TEST_F(UpdaterTest, ARedirectWithinTheRulesIsFollowed) {
    m_server.route("/moved", {.status = 301, .location = m_server.url("/newer.json").toEncoded()});
    EXPECT_EQ(checkOnce(m_server.url("/moved")).outcome, Outcome::updateAvailable);
}

TEST_F(UpdaterTest, AFailedCheckSaysWhyAndChangesNothingElse) {
    using Response = test::LocalHttpServer::Response;
    const QByteArray large(1024 * 1024 + 1, ' ');
    m_server.route("/text", {.body = "<html>sorry</html>"});
    m_server.route("/banana", {.body = R"({"releases": [{"version": "banana"}]})"});
    m_server.route("/missing", {.status = 404, .body = "{}"});
    m_server.route("/large", {.body = large});
    m_server.route("/large-unannounced", Response{.body = large, .sendLength = false});
    m_server.route("/slow", Response{.body = currentFeed, .stall = true});
    m_server.route("/away", Response{.status = 302, .location = "http://192.0.2.1/releases.json"});

    const std::vector<std::pair<QUrl, QString>> cases{
        {test::LocalHttpServer::closedPortUrl(), "could not reach the update server"},
        {m_server.url("/text"), "could not be read"},
        {m_server.url("/banana"), "cannot read: \u201Cbanana\u201D"},
        {m_server.url("/missing"), "(HTTP 404)"},
        {m_server.url("/large"), "larger than expected"},
        {m_server.url("/large-unannounced"), "larger than expected"},
        {m_server.url("/slow"), "took too long"},
        {m_server.url("/away"), "does not trust"},
        {QUrl("http://192.0.2.1/releases.json"), "not a secure (https) address"},
    };
    for (const auto& [feed, reason] : cases) {
        const UpdateCheckResult result = checkOnce(feed, 500ms);
        EXPECT_EQ(result.outcome, Outcome::failed) << feed.toString().toStdString();
        EXPECT_TRUE(result.error.contains(reason))
            << feed.toString().toStdString() << ": " << result.error.toStdString();
    }
    EXPECT_EQ(m_presenter.presented.size(), cases.size());
    EXPECT_FALSE(m_store.object("updaterLastCheckDate"));
}

TEST_F(UpdaterTest, AutomaticChecksAreOffUntilTurnedOnAndThenDaily) {
    {
        const std::unique_ptr<Updater> updater = makeUpdater(m_server.url("/releases.json"));
        EXPECT_FALSE(updater->automaticallyChecksForUpdates());
        updater->start();
        // A check in flight would make this false.
        EXPECT_TRUE(updater->canCheckForUpdates());

        updater->setAutomaticallyChecksForUpdates(true);
        EXPECT_FALSE(updater->canCheckForUpdates());
        ASSERT_TRUE(waitForResults(1));
        EXPECT_FALSE(results[0].userInitiated);
        // Being up to date is not worth a dialog nobody asked for.
        EXPECT_TRUE(m_presenter.presented.empty());
        EXPECT_EQ(updater->lastUpdateCheckDate(), now);
    }

    // A restart within the day: the flag and the date are kept, and no check is due.
    now += 23h;
    {
        const std::unique_ptr<Updater> updater = makeUpdater(m_server.url("/newer.json"));
        EXPECT_TRUE(updater->automaticallyChecksForUpdates());
        EXPECT_EQ(updater->lastUpdateCheckDate(), now - 23h);
        updater->start();
        EXPECT_TRUE(updater->canCheckForUpdates());
    }

    // A day later one is, and a new version is shown unasked.
    now += 2h;
    {
        const std::unique_ptr<Updater> updater = makeUpdater(m_server.url("/newer.json"));
        updater->start();
        EXPECT_FALSE(updater->canCheckForUpdates());
        ASSERT_TRUE(waitForResults(2));
        ASSERT_EQ(m_presenter.presented.size(), 1u);
        EXPECT_EQ(m_presenter.presented[0].outcome, Outcome::updateAvailable);
        EXPECT_EQ(updater->lastUpdateCheckDate(), now);

        updater->setAutomaticallyChecksForUpdates(false);
    }
    const std::unique_ptr<Updater> updater = makeUpdater(m_server.url("/newer.json"));
    EXPECT_FALSE(updater->automaticallyChecksForUpdates());
}

TEST_F(UpdaterTest, AFailedAutomaticCheckIsNotRetriedAtOnce) {
    m_store.setBoolean("updaterAutomaticallyChecks", true);
    const std::unique_ptr<Updater> updater = makeUpdater(test::LocalHttpServer::closedPortUrl());
    updater->start();
    ASSERT_TRUE(waitForResults(1));
    EXPECT_EQ(results[0].outcome, Outcome::failed);
    EXPECT_TRUE(updater->canCheckForUpdates());
    EXPECT_TRUE(m_presenter.presented.empty());
    EXPECT_FALSE(updater->lastUpdateCheckDate());
}

TEST_F(UpdaterTest, TheFeedAddressCanBeSetForTests) {
    test::ScopedEnvironment env;
    env.unset("SORVANE_UPDATE_FEED");
    EXPECT_EQ(Updater::feedAddressFromEnvironment(), QUrl("https://sorvane.app/releases.json"));
    env.set("SORVANE_UPDATE_FEED", "http://127.0.0.1:8000/releases.json");
    EXPECT_EQ(Updater::defaultOptions().feedAddress, QUrl("http://127.0.0.1:8000/releases.json"));
    EXPECT_EQ(Updater::defaultOptions().transferLimit, 30s);
    EXPECT_EQ(Updater::defaultOptions().sizeLimit, 1024 * 1024);
}

} // namespace
} // namespace sorvane
