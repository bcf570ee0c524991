#include "app/instance_client.h"
#include "app/instance_server.h"
#include "app/user_lock.h"
#include "support/private_home.h"

#include <QTest>
#include <QtConcurrent>
#include <fstream>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

class InstanceChannelTest : public ::testing::Test {
protected:
    InstanceChannelTest() { home.env.set("XDG_RUNTIME_DIR", (home / "run").native()); }

    std::optional<InstanceReply> ask(const InstanceRequest& request) {
        auto answer = QtConcurrent::run([request] {
            return InstanceClient::send(InstanceServer::socketPath(), request, 5000);
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.isFinished(); }, 10'000));
        return answer.result();
    }

    test::PrivateHome home;
};

TEST_F(InstanceChannelTest, theLockIsHeldByOneHolderAtATimeAndLivesInTheRuntimeFolder) {
    auto first = UserLock::tryAcquire();
    ASSERT_TRUE(first);
    EXPECT_FALSE(UserLock::tryAcquire());
    EXPECT_TRUE(fs::exists(home / "run/sorvane/lock"));
    EXPECT_EQ(fs::status(home / "run/sorvane").permissions() & fs::perms::all,
              fs::perms::owner_all);
    first.reset();
    EXPECT_TRUE(UserLock::tryAcquire());
}

TEST_F(InstanceChannelTest, aRequestReachesTheRunningInstanceAndItsAnswerComesBack) {
    std::vector<InstanceRequest> received;
    InstanceServer server([&](const InstanceRequest& request, auto reply) {
        received.push_back(request);
        // Answered later, as a clean that takes a while would be.
        QTimer::singleShot(50, [reply] { reply({1, "3 items moved\n", "one failed\n"}); });
    });
    // A socket file left by an instance that died does not stand in the way.
    fs::create_directories(home / "run/sorvane");
    std::ofstream(InstanceServer::socketPath()) << "stale";
    ASSERT_TRUE(server.listen(InstanceServer::socketPath()));

    const auto reply = ask({"clean", {"--json", "\xc3\xa4 path"}});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->exitCode, 1);
    EXPECT_EQ(reply->output, "3 items moved\n");
    EXPECT_EQ(reply->errorOutput, "one failed\n");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].command, "clean");
    EXPECT_EQ(received[0].arguments, QStringList({"--json", "\u00e4 path"}));
}

TEST_F(InstanceChannelTest, withNobodyListeningThereIsNoAnswer) {
    EXPECT_FALSE(ask({"show", {}}));
}

} // namespace
} // namespace sorvane
