// SPDX-License-Identifier: MIT
#include "fakes/memory_preferences_store.h"
#include "support/scoped_environment.h"
#include "updates/update_presenter.h"
#include "updates/updater.h"
#include "updates/updater_view_model.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

class SilentPresenter : public UpdatePresenter {
public:
    void present(const UpdateCheckResult&) override {}
};

class UpdaterViewModelTest : public ::testing::Test {
protected:
    UpdaterViewModelTest() { m_env.set("LC_ALL", "en_US.UTF-8"); }

    /// A new updater and view model over the same store, as after a restart. The feed
    /// address answers nothing; these tests start no check.
    void restart() {
        m_viewModel.reset();
        m_updater = std::make_unique<Updater>(
            m_store, m_presenter, QVersionNumber(1, 0, 0), [this] { return now; },
            Updater::Options{QUrl("http://127.0.0.1:9/releases.json"), 1s, 1024});
        m_viewModel = std::make_unique<UpdaterViewModel>(m_updater.get(), [this] { return now; });
    }

    test::ScopedEnvironment m_env;
    MemoryPreferencesStore m_store;
    SilentPresenter m_presenter;
    Timestamp now = Timestamp(1749549600s);
    std::unique_ptr<Updater> m_updater;
    std::unique_ptr<UpdaterViewModel> m_viewModel;
};

TEST_F(UpdaterViewModelTest, ChecksBecomePossibleAtTheFirstStartOnly) {
    restart();
    QSignalSpy changes(m_viewModel.get(), &UpdaterViewModel::canCheckForUpdatesChanged);
    EXPECT_FALSE(m_viewModel->canCheckForUpdates());
    m_viewModel->start();
    m_viewModel->start();
    EXPECT_TRUE(m_viewModel->hasStarted());
    EXPECT_TRUE(m_viewModel->canCheckForUpdates());
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(UpdaterViewModelTest, TheLastCheckIsDescribedRelativeToNow) {
    restart();
    EXPECT_EQ(m_viewModel->lastCheckDescription(), "Never checked");
    m_store.setDate("updaterLastCheckDate", QDateTime::fromSecsSinceEpoch(1749549600 - 3 * 3600));
    restart();
    EXPECT_EQ(m_viewModel->lastCheckDescription(), "Last checked 3 hours ago");
    now += 2 * 24h;
    EXPECT_EQ(m_viewModel->lastCheckDescription(), "Last checked 2 days ago");
}

TEST_F(UpdaterViewModelTest, TheAutomaticCheckFlagIsKeptAcrossRestarts) {
    restart();
    EXPECT_FALSE(m_viewModel->automaticallyChecks());
    QSignalSpy changes(m_viewModel.get(), &UpdaterViewModel::automaticallyChecksChanged);
    m_viewModel->setAutomaticallyChecks(true);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(m_updater->automaticallyChecksForUpdates());
    restart();
    EXPECT_TRUE(m_viewModel->automaticallyChecks());
    m_viewModel->setAutomaticallyChecks(false);
    restart();
    EXPECT_FALSE(m_viewModel->automaticallyChecks());
}

TEST_F(UpdaterViewModelTest, TheVersionLineComesFromTheProjectVersion) {
    EXPECT_EQ(UpdaterViewModel::versionText(), "Version 1.0.0");
    EXPECT_EQ(UpdaterViewModel::versionText(u"1.2"), "Version 1.2");
    EXPECT_EQ(UpdaterViewModel::versionText(u""), "Version ?");
}

} // namespace
} // namespace sorvane
