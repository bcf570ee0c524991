// SPDX-License-Identifier: MIT
// A clean across file systems killed with SIGKILL at chosen instants, each followed by the
// recovery a restart does and by an undo: nothing may be lost, duplicated unnamed or left
// unrecorded in the archive.
#include "app/interrupted_clean.h"
#include "app/undo_journal.h"
#include "engine/desktop_cleaner.h"
#include "history/history_store.h"
#include "platform/posix_file_services.h"
#include "support/private_home.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace sorvane {
namespace {

namespace fs = std::filesystem;

constexpr int fileItems = 150;
constexpr int folderItems = 50;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}

// Every file the Desktop starts with, by its path below the Desktop; its contents are its
// path, so that a file found anywhere tells where it came from.
std::vector<fs::path> makeDesktop(const test::PrivateHome& home, int fileCount = fileItems,
                                  int folderCount = folderItems) {
    std::vector<fs::path> files;
    for (int i = 0; i < fileCount; ++i)
        files.push_back("file " + std::to_string(i));
    for (int i = 0; i < folderCount; ++i)
        for (const char* inner : {"a.txt", "b.txt", "sub/c.txt"})
            files.push_back(fs::path("folder " + std::to_string(i)) / inner);
    for (const auto& file : files)
        home.writeFile(home.desktop() / file, file.native());
    return files;
}

class CrashCleanTest : public ::testing::Test {
protected:
    struct Run {
        bool killed = false;
        std::vector<std::string> problems;
    };

    void SetUp() override {
        test::TempDir probe("/dev/shm");
        test::PrivateHome home;
        struct stat a, b;
        if (stat(probe.path().c_str(), &a) != 0 || stat(home.path().c_str(), &b) != 0 ||
            a.st_dev == b.st_dev)
            GTEST_SKIP() << "/dev/shm is no separate file system here";
    }

    // Runs the clean, killed at step `killAt` (0: never), recovers, checks and, when asked,
    // undoes and checks again. The undo copies every file back to the disk durably, which
    // takes most of the time.
    Run runKilledAt(long killAt, bool undo, long* steps = nullptr) {
        test::PrivateHome home;
        test::TempDir memory("/dev/shm");
        const auto files = makeDesktop(home);
        const auto archive = memory / "Archive";
        // Beside the archive: written through at every state, the journal on a real disk
        // would make each run take seconds, and a kill does not depend on it being there.
        const auto journals = memory / "data";
        const auto count = memory / "steps";

        Run run;
        const int status =
            runChild({archive.native(), journals.native(), std::to_string(killAt), count.native()});
        if (status < 0) {
            run.problems.push_back("could not start the child");
            return run;
        }
        run.killed = WIFSIGNALED(status);
        if (steps)
            *steps = std::atol(contents(count).c_str());

        PosixFileServices services;
        HistoryStore history{memory / "data"};
        InterruptedClean::recoverLeftovers(history, services);
        const CleanRecord record = history.records().empty() ? CleanRecord{} : history.records()[0];
        check(home, files, archive, record, run.problems);
        if (!undo)
            return run;

        const auto later = [] {
            return std::chrono::system_clock::now() + std::chrono::minutes(1);
        };
        DesktopCleaner(services, later).undo(record, archive);
        for (const auto& file : files)
            if (!namedByAnError(record, file) && contents(home.desktop() / file) != file.native())
                run.problems.push_back("not back after the undo: " + file.native());
        return run;
    }

    // The child's wait status, or -1 when it could not start.
    static int runChild(std::vector<std::string> args) {
        const std::string child = SORVANE_CRASH_CHILD;
        args.insert(args.begin(), child);
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, child.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
            return -1;
        int status = 0;
        waitpid(pid, &status, 0);
        return status;
    }

    // A whole clean, then an undo killed at step `killAt` (0: never), the recovery a restart
    // does, and a second undo. Every file must be in exactly one place after each, the
    // Desktop must hold nothing else, and what the record still lists must be in the archive.
    Run runUndoKilledAt(long killAt, long* steps = nullptr) {
        test::PrivateHome home;
        test::TempDir memory("/dev/shm");
        const auto files = makeDesktop(home, 12, 4);
        const auto archive = memory / "Archive";
        const auto journals = memory / "data";
        const auto count = memory / "steps";
        Run run;
        if (runChild({archive.native(), journals.native(), "0", count.native()}) != 0)
            run.problems.push_back("the clean failed");
        PosixFileServices services;
        {
            HistoryStore cleaned{journals};
            InterruptedClean::recoverLeftovers(cleaned, services);
        }
        const int status = runChild(
            {archive.native(), journals.native(), std::to_string(killAt), count.native(), "undo"});
        run.killed = WIFSIGNALED(status);
        if (!run.killed && status != 0)
            run.problems.push_back("the undo failed");
        if (steps)
            *steps = std::atol(contents(count).c_str());

        HistoryStore history{journals};
        UndoJournal::recoverInto(history, journals / "undo-in-progress.journal", services);
        if (history.records().empty()) {
            run.problems.push_back("the record is gone");
            return run;
        }
        const CleanRecord record = history.records()[0];
        std::map<std::string, fs::path> archived;
        if (!record.undone)
            for (const auto& moved : record.moved) {
                archived.emplace(fs::path(moved.originalPath).filename(), moved.newPath);
                if (!fs::exists(fs::symlink_status(moved.newPath)))
                    run.problems.push_back("listed, not in the archive: " + moved.newPath);
            }
        checkOnePlace(home, files, archived, "after the kill", run.problems);
        if (!record.undone)
            DesktopCleaner(services).undo(record, archive);
        checkOnePlace(home, files, {}, "after a second undo", run.problems);
        return run;
    }

    static void checkOnePlace(const test::PrivateHome& home, const std::vector<fs::path>& files,
                              const std::map<std::string, fs::path>& archived,
                              const std::string& when, std::vector<std::string>& problems) {
        std::set<fs::path> items;
        for (const auto& file : files) {
            items.insert(*file.begin());
            const auto item = archived.find(*file.begin());
            const auto inner = file.lexically_relative(*file.begin());
            const bool onDesktop = contents(home.desktop() / file) == file.native();
            const bool inArchive =
                item != archived.end() &&
                contents(inner == "." ? item->second : item->second / inner) == file.native();
            if (onDesktop == inArchive)
                problems.push_back((onDesktop ? "in both places " : "lost ") + when + ": " +
                                   file.native());
        }
        for (const auto& entry : fs::directory_iterator(home.desktop()))
            if (!items.contains(entry.path().filename()))
                problems.push_back("more on the Desktop " + when + ": " +
                                   entry.path().filename().native());
    }

    // Kills the undo at `samples` instants spread over its steps, or at every one for 0.
    void undoSweep(long samples) {
        long total = 0;
        const auto whole = runUndoKilledAt(0, &total);
        EXPECT_EQ(whole.problems, std::vector<std::string>{}) << "without a kill";
        ASSERT_GT(total, 16);
        int points = 0;
        for (long at = 1; at <= total; at += samples ? total / samples + 1 : 1, ++points)
            for (const auto& problem : runUndoKilledAt(at).problems)
                ADD_FAILURE() << "undo killed at step " << at << " of " << total << ": " << problem;
        std::printf("undo kill points: %d of %ld steps\n", points, total);
    }

    static bool namedByAnError(const CleanRecord& record, const fs::path& file) {
        const auto item = *file.begin();
        return std::any_of(record.errors.begin(), record.errors.end(), [&](const auto& line) {
            return line.starts_with(item.native() + ": ");
        });
    }

    static void check(const test::PrivateHome& home, const std::vector<fs::path>& files,
                      const fs::path& archive, const CleanRecord& record,
                      std::vector<std::string>& problems) {
        std::map<std::string, fs::path> recorded;
        for (const auto& moved : record.moved)
            if (!recorded.emplace(fs::path(moved.originalPath).filename(), moved.newPath).second)
                problems.push_back("recorded twice: " + moved.originalPath);
        for (const auto& file : files) {
            const auto item = recorded.find(*file.begin());
            const bool onDesktop = contents(home.desktop() / file) == file.native();
            const auto inner = file.lexically_relative(*file.begin());
            const bool archived =
                item != recorded.end() &&
                contents(inner == "." ? item->second : item->second / inner) == file.native();
            if (!onDesktop && !archived)
                problems.push_back("lost: " + file.native());
            if (onDesktop && archived && !namedByAnError(record, file))
                problems.push_back("in both places, unnamed: " + file.native());
        }
        std::error_code none;
        for (const auto& folder : fs::directory_iterator(archive, none))
            for (const auto& entry : fs::directory_iterator(folder.path())) {
                const bool known = std::any_of(recorded.begin(), recorded.end(),
                                               [&](auto& r) { return r.second == entry.path(); });
                if (!known)
                    problems.push_back("unrecorded in the archive: " + entry.path().native());
            }
    }

    // Kills at every `stride`-th step, undoes after every `undoEvery`-th kill, and reports
    // what it found.
    void sweep(long stride, int undoEvery) {
        long total = 0;
        const auto whole = runKilledAt(0, true, &total);
        EXPECT_EQ(whole.problems, std::vector<std::string>{}) << "without a kill";
        ASSERT_GT(total, fileItems + folderItems);
        int points = 0, killed = 0;
        std::map<std::string, int> found;
        for (long at = 1; at <= total; at += stride) {
            const auto run = runKilledAt(at, points % undoEvery == 0);
            ++points;
            killed += run.killed;
            for (const auto& problem : run.problems) {
                ADD_FAILURE() << "killed at step " << at << ": " << problem;
                ++found[problem.substr(0, problem.find(':'))];
            }
        }
        std::printf("kill points: %d of %ld steps, %d killed, %d undone, %zu kinds of problem\n",
                    points, total, killed, (points + undoEvery - 1) / undoEvery, found.size());
        for (const auto& [kind, n] : found)
            std::printf("  %s: %d\n", kind.c_str(), n);
    }
};

TEST_F(CrashCleanTest, killedAtSampledInstantsNothingIsLostDuplicatedOrUnrecorded) {
    sweep(97, 6);
}

TEST_F(CrashCleanTest, killedAtEveryInstantNothingIsLostDuplicatedOrUnrecorded) {
    sweep(1, 10);
}

TEST_F(CrashCleanTest, anUndoKilledAtSampledInstantsLosesNothingAndCanBeFinished) {
    undoSweep(7);
}

TEST_F(CrashCleanTest, anUndoKilledAtEveryInstantLosesNothingAndCanBeFinished) {
    undoSweep(0);
}

} // namespace
} // namespace sorvane
