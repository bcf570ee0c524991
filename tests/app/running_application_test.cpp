// SPDX-License-Identifier: MIT
#include "app/instance_server.h"
#include "engine/item_transfer.h"
#include "record/clean_record_json.h"
#include "support/private_home.h"
#include "support/temp_dir.h"

#include <QProcess>
#include <QTest>
#include <csignal>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <thread>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// The built program as the user runs it: the tray application (offscreen, no tray) and
// later starts of it, each a process of its own in one private home.
class RunningApplicationTest : public ::testing::Test {
protected:
    RunningApplicationTest() {
        home.env.set("XDG_RUNTIME_DIR", (home / "run").native());
        home.env.set("QT_QPA_PLATFORM", "offscreen");
        home.env.unset("DBUS_SESSION_BUS_ADDRESS");
        home.env.set("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/sorvane-test");
    }
    ~RunningApplicationTest() override {
        if (app.state() != QProcess::NotRunning) {
            app.kill();
            app.waitForFinished();
        }
    }

    void startApplication() {
        app.start(SORVANE_PROGRAM, {"--background"});
        ASSERT_TRUE(app.waitForStarted());
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return fs::exists(home / "run/sorvane/socket"); }, 10'000));
    }
    int sorvane(const QStringList& arguments, QString* output = nullptr) {
        QProcess process;
        process.start(SORVANE_PROGRAM, arguments);
        process.waitForFinished(60'000);
        if (output)
            *output = QString::fromUtf8(process.readAllStandardOutput());
        return process.exitCode();
    }
    std::vector<CleanRecord> history() {
        std::ifstream in(home / ".local/share/Sorvane/history.json");
        std::stringstream text;
        text << in.rdbuf();
        return CleanRecordJson::decode(text.str()).value_or(std::vector<CleanRecord>{});
    }

    std::size_t journals() const {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(home / ".local/share/Sorvane"))
            count += entry.path().extension() == ".journal" ? 1 : 0;
        return count;
    }

    test::PrivateHome home;
    QProcess app;
};

TEST_F(RunningApplicationTest, aSecondStartHandsOverAndChangesGoThroughTheFirst) {
    home.writeFile(home.desktop() / "a.txt");
    startApplication();
    EXPECT_EQ(sorvane({}), 0) << "a second start asks the first to show itself and ends";
    EXPECT_EQ(app.state(), QProcess::Running);

    QString output;
    EXPECT_EQ(sorvane({"clean"}, &output), 0);
    EXPECT_EQ(output, "1 item moved\n");

    app.terminate();
    ASSERT_TRUE(app.waitForFinished(10'000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(history().size(), 1u);
}

TEST_F(RunningApplicationTest, aTerminationDuringACleanRecordsWhatWasMovedFirst) {
    // An archive on another file system makes every item a copy, slow enough to interrupt.
    test::TempDir shm("/dev/shm");
    const auto archive = shm / "Archive";
    home.writeFile(".config/Sorvane/preferences.json",
                   "{\"destinationPath\": \"" + archive.native() + "\"}");
    const int count = 2000;
    for (int i = 0; i < count; ++i)
        home.writeFile(home.desktop() / ("file " + std::to_string(i)), std::string(4096, 'x'));
    // Items changed a moment ago are still being written as far as a copy can tell.
    std::this_thread::sleep_for(ItemTransfer::busyWindow + std::chrono::seconds(1));
    startApplication();

    QProcess client;
    client.start(SORVANE_PROGRAM, {"clean"});
    auto archived = [&] {
        std::size_t n = 0;
        std::error_code missing;
        for (const auto& folder : fs::directory_iterator(archive, missing))
            for (const auto& item : fs::directory_iterator(folder))
                n += item.path().filename().native().starts_with(".") ? 0 : 1;
        return n;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return archived() >= 20; }, 20'000));
    ASSERT_GT(app.processId(), 0);
    ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
    ASSERT_TRUE(app.waitForFinished(30'000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    ASSERT_TRUE(client.waitForFinished(10'000));
    EXPECT_EQ(client.exitCode(), 1) << "the clean did not finish";

    const auto records = history();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].errors.back(), "Stopped: Sorvane was quit before the clean finished.");
    EXPECT_EQ(records[0].moved.size(), archived());
    EXPECT_LT(archived(), static_cast<std::size_t>(count));
    std::set<std::string> moved;
    for (const auto& item : records[0].moved)
        moved.insert(fs::path(item.originalPath).filename());
    for (int i = 0; i < count; ++i) {
        const std::string name = "file " + std::to_string(i);
        EXPECT_NE(fs::exists(home.desktop() / name), moved.contains(name)) << name;
    }
    EXPECT_EQ(journals(), 0u);
}

TEST_F(RunningApplicationTest, ctrlCLetsACommandLineCleanOrUndoRecordItselfAndASecondOneExits) {
    test::TempDir shm("/dev/shm");
    const auto archive = shm / "Archive";
    home.writeFile(".config/Sorvane/preferences.json",
                   "{\"destinationPath\": \"" + archive.native() + "\"}");
    const int count = 1500;
    // Items changed a moment ago are still being written as far as a copy can tell.
    const auto settle = [] {
        std::this_thread::sleep_for(ItemTransfer::busyWindow + std::chrono::seconds(1));
    };
    const auto fillDesktop = [&] {
        for (int i = 0; i < count; ++i)
            home.writeFile(home.desktop() / ("file " + std::to_string(i)), std::string(4096, 'x'));
        settle();
    };
    const auto onDesktop = [&] {
        return static_cast<int>(std::distance(fs::directory_iterator(home.desktop()), {}));
    };
    // Runs the command in a terminal's place and sends it `interrupts` SIGINTs once it is
    // under way; gives its exit status.
    const auto interrupt = [&](const QString& command, int interrupts, auto underWay) {
        QProcess process;
        process.start(SORVANE_PROGRAM, {command});
        EXPECT_TRUE(process.waitForStarted());
        EXPECT_TRUE(QTest::qWaitFor(underWay, 20'000));
        // A process that has ended has no id: kill(0, …) would reach this test's own group.
        const auto pid = static_cast<pid_t>(process.processId());
        for (int i = 0; i < interrupts && pid > 0; ++i) {
            // Signals of one kind sent at once arrive as one.
            if (i > 0)
                QTest::qWait(5);
            ::kill(pid, SIGINT);
        }
        EXPECT_TRUE(process.waitForFinished(30'000));
        // As a shell reports it: 128 + the signal for a process a signal ended. A second
        // Ctrl+C that lands while the program is already on its way out ends it so.
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                            : 128 + process.exitCode();
    };

    fillDesktop();
    EXPECT_EQ(interrupt("clean", 1, [&] { return onDesktop() < count - 20; }), 1);
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].errors.back(), "Stopped: Sorvane was quit before the clean finished.");
    EXPECT_EQ(static_cast<int>(history()[0].moved.size()) + onDesktop(), count);
    EXPECT_EQ(journals(), 0u);

    // Large items first, so that the second Ctrl+C comes while one is being copied.
    for (int i = 0; i < 3; ++i)
        home.writeFile(home.desktop() / ("a big " + std::to_string(i)), std::string(64 << 20, 'x'));
    settle();
    const auto copying = [&] {
        std::error_code missing;
        for (const auto& entry : fs::recursive_directory_iterator(archive, missing))
            if (entry.path().filename().native().starts_with(".") ||
                entry.path().filename().native().starts_with("a big"))
                return true;
        return false;
    };
    // The first Ctrl+C may already have abandoned the copy and ended the run; if not, the
    // second one ends the program at once and the journal covers what it cut short.
    const int status = interrupt("clean", 2, copying);
    EXPECT_TRUE(status == 130 || status == 1) << status;
    // A journal is left only when the second one cut the run short; `history` records it.
    EXPECT_LE(journals(), status == 130 ? 1u : 0u);
    EXPECT_EQ(sorvane({"history"}), 0);
    ASSERT_EQ(history().size(), 2u);
    EXPECT_EQ(static_cast<int>(history()[0].moved.size() + history()[1].moved.size()) + onDesktop(),
              count + 3);

    const auto undoable = [&] {
        for (const auto& record : history())
            if (!record.undone && !record.moved.empty())
                return record;
        return CleanRecord{};
    };
    // A whole clean, so that an undo has enough items to be still under way when interrupted.
    EXPECT_EQ(sorvane({"clean"}), 0);
    const int before = onDesktop();
    const CleanRecord target = undoable();
    EXPECT_EQ(interrupt("undo", 1, [&] { return onDesktop() > before + 20; }), 1);
    const auto remaining = undoable();
    EXPECT_EQ(remaining.id, target.id) << "the untried items are still undoable";
    EXPECT_EQ(remaining.moved.size() + static_cast<std::size_t>(onDesktop() - before),
              target.moved.size());
}

} // namespace
} // namespace sorvane
