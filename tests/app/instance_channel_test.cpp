// SPDX-License-Identifier: MIT
#include "app/instance_address.h"
#include "app/instance_client.h"
#include "app/instance_server.h"
#include "app/user_lock.h"
#include "support/private_home.h"
#include "support/temp_dir.h"

#include <QProcess>
#include <QTest>
#include <QtConcurrent>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* stranger = "setpriv --reuid=65534 --regid=65534 --clear-groups ";

fs::perms permissionsOf(const fs::path& path) {
    return fs::symlink_status(path).permissions() & fs::perms::all;
}

class InstanceChannelTest : public ::testing::Test {
protected:
    InstanceChannelTest() {
        fs::create_directory(home / "run");
        home.env.set("XDG_RUNTIME_DIR", (home / "run").native());
    }

    static std::optional<InstanceReply> ask(const fs::path& socket,
                                            const InstanceRequest& request) {
        auto answer = QtConcurrent::run(
            [socket, request] { return InstanceClient::send(socket, request, 5000); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.isFinished(); }, 10'000));
        return answer.result();
    }

    fs::path dataFolder() const { return home / ".local/share/Sorvane"; }

    test::PrivateHome home;
};

TEST_F(InstanceChannelTest, theLockIsOneFileBesideTheHistoryWhateverTheEnvironment) {
    auto first = UserLock::tryAcquire();
    ASSERT_TRUE(first);
    home.env.unset("XDG_RUNTIME_DIR"); // as under cron
    EXPECT_FALSE(UserLock::tryAcquire());
    EXPECT_EQ(permissionsOf(dataFolder() / "lock"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(permissionsOf(dataFolder()), fs::perms::owner_all);
    first.reset();
    EXPECT_TRUE(UserLock::tryAcquire());
}

TEST_F(InstanceChannelTest, aRequestReachesTheRunningInstanceThroughThePublishedPath) {
    std::vector<InstanceRequest> received;
    InstanceServer server([&](const InstanceRequest& request, auto reply) {
        received.push_back(request);
        // Answered later, as a clean that takes a while would be.
        QTimer::singleShot(50, [reply] { reply({1, "3 items moved\n", "one failed\n"}); });
    });
    const auto socket = InstanceAddress::chooseSocket();
    ASSERT_TRUE(socket);
    EXPECT_EQ(*socket, home / "run/sorvane/socket");
    // A socket file left by an instance that died does not stand in the way.
    std::ofstream(*socket) << "stale";
    ASSERT_TRUE(server.listen(*socket));
    ASSERT_TRUE(InstanceAddress::publish(*socket));
    EXPECT_EQ(permissionsOf(InstanceAddress::pathFile()),
              fs::perms::owner_read | fs::perms::owner_write);

    home.env.unset("XDG_RUNTIME_DIR"); // a command started by cron finds it all the same
    ASSERT_EQ(InstanceAddress::find(), socket);
    const auto reply = ask(*socket, {"clean", {"--json", "\xc3\xa4 path"}});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->exitCode, 1);
    EXPECT_EQ(reply->output, "3 items moved\n");
    EXPECT_EQ(reply->errorOutput, "one failed\n");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].arguments, QStringList({"--json", "\u00e4 path"}));
}

TEST_F(InstanceChannelTest, aSocketFolderThatIsNotPrivatelyOursIsNeitherUsedNorTrusted) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& folder)> plant;
    };
    const test::TempDir elsewhere;
    const std::vector<Case> cases = {
        {"a link to another folder",
         [&](const fs::path& folder) {
             fs::create_directory_symlink(elsewhere.path(), folder);
         }},
        {"open to others",
         [](const fs::path& folder) {
             fs::create_directory(folder);
             fs::permissions(folder, fs::perms::owner_all | fs::perms::others_exec);
         }},
        {"made by another user",
         [](const fs::path& folder) {
             ASSERT_EQ(
                 std::system(
                     (std::string(stranger) + "mkdir -m 700 '" + folder.string() + "'").c_str()),
                 0);
         }},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        const test::TempDir run;
        fs::permissions(run.path(), fs::perms::all | fs::perms::sticky_bit); // a shared folder
        home.env.set("XDG_RUNTIME_DIR", run.path().native());
        entry.plant(run / "sorvane");
        EXPECT_EQ(InstanceAddress::chooseSocket(), dataFolder() / "socket");
        ASSERT_TRUE(InstanceAddress::publish(run / "sorvane/socket"));
        EXPECT_FALSE(InstanceAddress::find()) << "a command does not talk to what it finds there";
    }
}

TEST_F(InstanceChannelTest, aHomeTooDeepForASocketPathGetsAPrivateFolderOfItsOwn) {
    const fs::path deep = home / std::string(120, 'd');
    fs::create_directories(deep);
    home.env.set("XDG_DATA_HOME", deep.native());
    home.env.set("XDG_RUNTIME_DIR", deep.native());
    const auto socket = InstanceAddress::chooseSocket();
    ASSERT_TRUE(socket);
    EXPECT_LE(socket->native().size(), InstanceAddress::maxSocketPath);
    EXPECT_TRUE(InstanceAddress::isPrivateFolder(socket->parent_path()));
    fs::remove_all(socket->parent_path());
}

TEST_F(InstanceChannelTest, aServerOfAnotherUserGetsNoRequest) {
    // Another user's server, in a folder of its own: the client checks who answers.
    const test::TempDir shared;
    fs::permissions(shared.path(), fs::perms::all);
    const fs::path socket = shared / "socket";
    const std::string script = "import socket,os\n"
                               "s=socket.socket(socket.AF_UNIX)\ns.bind('" +
                               socket.string() +
                               "')\ns.listen(1)\n"
                               "c,_=s.accept()\nc.recv(65536)\n"
                               "c.sendall(b'{\"exitCode\":0,\"output\":\"42 items "
                               "moved\\\\n\",\"errorOutput\":\"\"}\\n')\n";
    QProcess server;
    server.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3",
                             "-c", QString::fromStdString(script)});
    ASSERT_TRUE(server.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(socket); }, 10'000));
    EXPECT_FALSE(ask(socket, {"clean", {}}));
    server.kill();
    server.waitForFinished();
}

TEST_F(InstanceChannelTest, withNobodyListeningThereIsNoAnswer) {
    EXPECT_FALSE(InstanceAddress::find());
    EXPECT_FALSE(ask(home / "run/sorvane/socket", {"show", {}}));
}

} // namespace
} // namespace sorvane
