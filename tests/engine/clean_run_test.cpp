// SPDX-License-Identifier: MIT
#include "engine/copy_batch.h"
#include "engine/desktop_cleaner.h"
#include "fakes/fault_injecting_file_services.h"
#include "platform/folder_bookmark.h"
#include "platform/posix_file_services.h"
#include "support/file_attributes.h"
#include "support/private_home.h"
#include "support/temp_dir.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <future>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sorvane {
namespace {

using namespace std::chrono;
using test::FileOperation;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

const Timestamp march7 = sys_days{2025y / March / 7} + hours(9);

class CleanRunTest : public ::testing::Test {
protected:
    CleanRunTest() : fake(files) { options.destination = home.archive(); }

    fs::path file(const std::string& name, const std::string& contents = "x") {
        return home.writeFile(home.desktop() / name, contents);
    }
    CleanRecord clean(FileServices& services, CleanObserver* observer = nullptr) {
        auto result = DesktopCleaner(services, [this] {
                          return now;
                      }).clean(options, CleanTrigger::manual, observer);
        EXPECT_TRUE(std::holds_alternative<CleanRecord>(result));
        return std::holds_alternative<CleanRecord>(result) ? std::get<CleanRecord>(result)
                                                           : CleanRecord{};
    }
    CleanRecord clean() { return clean(files); }
    CleanResult cleanFailing(FileServices& services) {
        return DesktopCleaner(services, [this] { return now; })
            .clean(options, CleanTrigger::manual);
    }
    fs::path march() const { return options.destination / "2025-03 March"; }

    test::PrivateHome home;
    PosixFileServices files;
    test::FaultInjectingFileServices fake;
    CleanOptions options;
    Timestamp now = march7;
};

TEST_F(CleanRunTest, movesEligibleItemsIntoTheirDatedFolderAndRecordsThem) {
    options.dateBasis = DateBasis::cleaned;
    file("b.txt");
    file("a.txt");
    file(".hidden-note");
    home.makeFolder(home.desktop() / "Project/src");

    const auto record = clean();
    ASSERT_EQ(record.moved.size(), 3u);
    EXPECT_EQ(record.moved[0].originalPath, (home.desktop() / "Project").native());
    EXPECT_EQ(record.moved[0].newPath, (march() / "Project").native());
    EXPECT_EQ(record.moved[1].newPath, (march() / "a.txt").native());
    EXPECT_EQ(record.moved[2].newPath, (march() / "b.txt").native());
    EXPECT_TRUE(fs::exists(march() / "Project/src"));
    EXPECT_FALSE(fs::exists(home.desktop() / "a.txt"));
    EXPECT_EQ(record.skippedCount, 1);
    EXPECT_THAT(record.errors, IsEmpty());
    EXPECT_EQ(record.date, march7);
    EXPECT_EQ(record.trigger, CleanTrigger::manual);
    EXPECT_FALSE(record.undone);
}

TEST_F(CleanRunTest, aDesktopWithNothingEligibleGivesAnEmptyRecord) {
    file(".env");
    const auto record = clean();
    EXPECT_THAT(record.moved, IsEmpty());
    EXPECT_EQ(record.skippedCount, 1);
    EXPECT_TRUE(fs::is_directory(options.destination));
}

TEST_F(CleanRunTest, filesItemsUnderTheirOwnLocalDate) {
    home.env.set("TZ", "America/New_York");
    options.dateBasis = DateBasis::modified;
    options.grouping = GroupingStyle::day;
    // 23:30 on New Year's Eve in New York is already January in UTC.
    test::setModificationTime(file("late.txt"),
                              sys_days{2025y / January / 1} + hours(4) + minutes(30));
    // A time 64-bit nanoseconds cannot count, which ext4 and tmpfs keep all the same.
    test::setModificationTime(file("future.txt"), Timestamp(sys_days{2400y / January / 15}));
    const auto record = clean();
    std::vector<std::string> targets;
    for (const auto& moved : record.moved)
        targets.push_back(fs::relative(moved.newPath, options.destination));
    EXPECT_THAT(targets, ElementsAre("2400-01-14/future.txt", "2024-12-31/late.txt"));
}

TEST_F(CleanRunTest, takenNamesGetTheNextFreeNumber) {
    options.dateBasis = DateBasis::cleaned;
    options.includeHidden = true;
    for (const char* name : {"notes.txt", "notes 2.txt", "Makefile", ".env", "report.final.pdf"})
        home.writeFile(march() / name);
    home.makeFolder(march() / "Tool.app");
    for (const char* name : {"notes.txt", "Makefile", ".env", "report.final.pdf"})
        file(name);
    home.makeFolder(home.desktop() / "Tool.app/Contents");

    std::vector<std::string> names;
    for (const auto& moved : clean().moved)
        names.push_back(fs::path(moved.newPath).filename());
    EXPECT_THAT(names, ElementsAre(".env 2", "Makefile 2", "Tool 2.app", "notes 3.txt",
                                   "report.final 2.pdf"));
}

TEST_F(CleanRunTest, aNameTooLongToNumberFailsThatItemAndLosesNothing) {
    options.dateBasis = DateBasis::cleaned;
    const std::string longName = std::string(251, 'n') + ".txt";
    home.writeFile(march() / longName, "old");
    file(longName, "new");
    const auto record = clean();
    EXPECT_THAT(record.moved, IsEmpty());
    ASSERT_EQ(record.errors.size(), 1u);
    EXPECT_THAT(record.errors[0], ::testing::HasSubstr("too long to be numbered"));
    EXPECT_TRUE(fs::exists(home.desktop() / longName));
}

TEST_F(CleanRunTest, acrossFileSystemsTheCopyKeepsTimesTagsAndLinks) {
    test::TempDir shm("/dev/shm");
    if (test::deviceOf(shm.path()) == test::deviceOf(home.path()))
        GTEST_SKIP() << "/dev/shm is on the same file system here";
    options.destination = shm / "Archive";
    options.dateBasis = DateBasis::cleaned;
    options.keepTaggedFiles = false;
    const Timestamp written = sys_days{2024y / June / 1} + hours(8) + nanoseconds(123456789);
    const auto tagged = file("tagged.txt", "keep my tags");
    test::setTags(tagged, "work,red");
    test::setModificationTime(tagged, written);
    const auto big = home.makeFolder("Big");
    fs::create_directory_symlink(big, home.desktop() / "link to big");
    home.writeFile(home.desktop() / "Folder/inner.txt", "inside");

    const auto record = clean();
    EXPECT_THAT(record.errors, IsEmpty());
    ASSERT_EQ(record.moved.size(), 3u);
    const auto archived = options.destination / "2025-03 March";
    EXPECT_EQ(test::tags(archived / "tagged.txt"), "work,red");
    EXPECT_EQ(test::modificationTime(archived / "tagged.txt"), written);
    EXPECT_TRUE(fs::is_symlink(archived / "link to big"));
    EXPECT_EQ(fs::read_symlink(archived / "link to big"), big);
    EXPECT_TRUE(fs::exists(archived / "Folder/inner.txt"));
    EXPECT_FALSE(fs::exists(home.desktop() / "Folder"));
    EXPECT_FALSE(fs::exists(home.desktop() / "tagged.txt"));
    for (const auto& entry : fs::directory_iterator(archived))
        EXPECT_FALSE(entry.path().filename().native().starts_with(".sorvane-copy"));
}

TEST_F(CleanRunTest, failsAsAWholeWithoutDesktopOrArchive) {
    file("a.txt");
    fake.setDesktopDirectory(std::nullopt);
    EXPECT_EQ(std::get<CleanError>(cleanFailing(fake)).errorDescription(),
              "Could not find your Desktop folder.");
}

struct ArchiveRootCase {
    std::string name;
    /// Prepares the archive's surroundings; may give the archive a bookmark.
    std::function<void(test::PrivateHome&, CleanOptions&)> arrange;
    /// The error's text with "<archive>" for the archive's path; empty when the run goes on.
    std::string error;
};

class ArchiveRootTest : public CleanRunTest,
                        public ::testing::WithParamInterface<ArchiveRootCase> {};

TEST_P(ArchiveRootTest, theRootAloneIsMadeAgainAndOnlyWhereTheArchiveWas) {
    options.dateBasis = DateBasis::cleaned;
    file("a.txt");
    fs::permissions(home.desktop(), fs::perms(0700));
    GetParam().arrange(home, options);
    const bool existed = fs::exists(options.destination);
    const auto result = cleanFailing(files);
    if (!GetParam().error.empty()) {
        ASSERT_TRUE(std::holds_alternative<CleanError>(result));
        auto expected = GetParam().error;
        expected.replace(expected.find("<archive>"), 9, options.destination.native());
        EXPECT_EQ(std::get<CleanError>(result).errorDescription(), expected);
        EXPECT_TRUE(fs::exists(home.desktop() / "a.txt"));
        EXPECT_EQ(fs::exists(options.destination), existed) << "nothing made on the wrong disk";
        return;
    }
    ASSERT_TRUE(std::holds_alternative<CleanRecord>(result));
    EXPECT_EQ(std::get<CleanRecord>(result).moved.size(), 1u);
    // New folders open no wider than the Desktop; an existing one keeps its own access.
    const auto rootAccess = fs::status(options.destination).permissions() & fs::perms::all;
    EXPECT_EQ(rootAccess, existed ? fs::perms(0755) : fs::perms(0700));
    EXPECT_EQ(fs::status(march()).permissions() & fs::perms::all, fs::perms(0700));
}

const std::string awayText =
    "The archive folder at <archive> is not there. Reconnect its drive, or choose another "
    "archive folder.";

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveRootTest,
    ::testing::Values(
        ArchiveRootCase{"MissingRootIsMade", [](test::PrivateHome&, CleanOptions&) {}, ""},
        ArchiveRootCase{"ExistingRootKeepsItsAccess",
                        [](test::PrivateHome& home, CleanOptions&) {
                            fs::permissions(home.makeFolder(home.archive()), fs::perms(0755));
                        },
                        ""},
        ArchiveRootCase{"MissingRootIsMadeOnItsOwnDevice",
                        [](test::PrivateHome& home, CleanOptions& options) {
                            options.destinationBookmark =
                                FolderBookmark::create(home.makeFolder(home.archive()));
                            fs::remove(home.archive());
                        },
                        ""},
        ArchiveRootCase{"MissingParentIsNeverMade",
                        [](test::PrivateHome& home, CleanOptions&) {
                            fs::remove(home.archive().parent_path());
                        },
                        awayText},
        ArchiveRootCase{"DriveAwayLeavesItsEmptyMountPoint",
                        [](test::PrivateHome& home, CleanOptions& options) {
                            // A bookmark of a folder on another file system stands for the
                            // drive the archive was on.
                            const test::TempDir drive("/dev/shm");
                            options.destinationBookmark = FolderBookmark::create(drive.path());
                            (void)home;
                        },
                        awayText},
        ArchiveRootCase{"SomethingElseInTheWay",
                        [](test::PrivateHome& home, CleanOptions&) {
                            home.writeFile(home.archive(), "a file where the folder should be");
                        },
                        "Could not create or open the archive folder at <archive>."}),
    [](const auto& info) { return info.param.name; });

TEST_F(CleanRunTest, anUnreadableDesktopIsAFailureNotNothingToMove) {
    file("a.txt");
    fake.failOn(FileOperation::listDirectory, home.desktop(), EIO);
    EXPECT_EQ(std::get<CleanError>(cleanFailing(fake)).errorDescription(),
              "Could not read your Desktop folder.");
}

TEST_F(CleanRunTest, stopsAtTheThirdFailureInARowWhenTheArchiveHasVanished) {
    for (const char* name : {"a", "b", "c", "d", "e"})
        file(name);
    fake.failOn(FileOperation::moveItem, home.desktop() / "a", EIO);
    fake.failOn(FileOperation::moveItem, home.desktop() / "b", EIO);
    // The root and the first sub-folder are made, two moves fail, then the drive goes.
    fake.vanishAfter(options.destination, 4);

    const auto record = clean(fake);
    EXPECT_THAT(record.moved, IsEmpty());
    ASSERT_EQ(record.errors.size(), 4u);
    EXPECT_THAT(record.errors[0], ::testing::StartsWith("a: "));
    // The archive is what went missing, not the item.
    EXPECT_EQ(record.errors[2], "c: The archive folder \u201CDesktop Archive\u201D is no longer "
                                "available.");
    EXPECT_EQ(record.errors[3], "Stopped: Desktop Archive is no longer available.");
    EXPECT_TRUE(fs::exists(home.desktop() / "d"));
    EXPECT_FALSE(fs::exists(options.destination)) << "no new archive on the internal disk";
}

TEST_F(CleanRunTest, stopsAfterTwentyFiveFailuresInARow) {
    for (int i = 10; i < 40; ++i)
        file("item" + std::to_string(i));
    fake.failOn(FileOperation::moveItem, std::nullopt, EIO);
    const auto record = clean(fake);
    ASSERT_EQ(record.errors.size(), 26u);
    EXPECT_EQ(record.errors.back(), "Stopped after 25 failures in a row.");
    EXPECT_EQ(fake.callCount(FileOperation::moveItem), 25);
}

TEST_F(CleanRunTest, aSuccessResetsTheFailureCount) {
    for (int i = 10; i < 40; ++i) {
        const auto item = file("item" + std::to_string(i));
        if (i != 33) // the 24th item moves
            fake.failOn(FileOperation::moveItem, item, EIO);
    }
    const auto record = clean(fake);
    EXPECT_EQ(record.moved.size(), 1u);
    EXPECT_EQ(record.errors.size(), 29u);
    EXPECT_THAT(record.errors.back(), ::testing::StartsWith("item39: "));
}

TEST_F(CleanRunTest, aCopyOfTheWrongSizeIsRemovedAndTheItemStays) {
    options.dateBasis = DateBasis::cleaned;
    const auto item = file("a.txt", "twelve bytes");
    fake.failOn(FileOperation::moveItem, item, EXDEV);
    fake.shortenCopies();
    const auto record = clean(fake);
    EXPECT_THAT(record.moved, IsEmpty());
    EXPECT_THAT(record.errors, ElementsAre("a.txt: The copy of a.txt did not match the original, "
                                           "so it was left on the desktop."));
    EXPECT_TRUE(fs::exists(item));
    EXPECT_TRUE(fs::is_empty(march()));
}

TEST_F(CleanRunTest, aSourceThatCannotBeRemovedAfterAGoodCopyIsMovedAndNamed) {
    options.dateBasis = DateBasis::cleaned;
    const auto item = file("a.txt");
    fake.failOn(FileOperation::moveItem, item, EXDEV);
    fake.failOn(FileOperation::removeSnapshot, item, EBUSY, std::nullopt, "\u201Ca.txt\u201D");
    const auto record = clean(fake);
    ASSERT_EQ(record.moved.size(), 1u);
    EXPECT_EQ(record.moved[0].newPath, (march() / "a.txt").native());
    EXPECT_THAT(record.errors,
                ElementsAre("a.txt: moved, but \u201Ca.txt\u201D could not be removed from the "
                            "Desktop: Device or resource busy."));
    EXPECT_TRUE(fs::exists(item));
    EXPECT_TRUE(fs::exists(march() / "a.txt"));
}

TEST_F(CleanRunTest, onlyAnotherFileSystemIsAReasonToCopy) {
    const auto item = file("a.txt");
    fake.failOn(FileOperation::moveItem, item, EACCES);
    const auto record = clean(fake);
    EXPECT_EQ(record.errors.size(), 1u);
    EXPECT_EQ(fake.callCount(FileOperation::copyItem), 0);
    EXPECT_TRUE(fs::exists(item));
}

// Does what `during` says while an item is being copied: what another program may do then.
class DuringCopy : public test::FaultInjectingFileServices {
public:
    DuringCopy(FileServices& real, std::function<void(const fs::path&, const fs::path&)> during)
        : FaultInjectingFileServices(real), m_during(std::move(during)) {}
    FileStatus copyItem(const fs::path& source, const fs::path& target,
                        const TreeSnapshot& snapshot, const std::function<bool()>& cancelled,
                        CopyDurability durability) override {
        auto status =
            FaultInjectingFileServices::copyItem(source, target, snapshot, cancelled, durability);
        m_during(source, target);
        return status;
    }

private:
    std::function<void(const fs::path&, const fs::path&)> m_during;
};

TEST_F(CleanRunTest, anItemChangedWhileItWasCopiedIsLeftAlone) {
    options.dateBasis = DateBasis::cleaned;
    // As an application still saving it would.
    DuringCopy writer(files, [](const fs::path& source, const fs::path&) {
        test::setModificationTime(source, std::chrono::system_clock::now() + hours(1));
    });
    const auto item = file("draft.odt");
    writer.failOn(FileOperation::moveItem, item, EXDEV);
    const auto record = clean(writer);
    EXPECT_THAT(record.moved, IsEmpty());
    ASSERT_EQ(record.errors.size(), 1u);
    EXPECT_THAT(record.errors[0], ::testing::HasSubstr("changed while it was being copied"));
    EXPECT_TRUE(fs::exists(item));
    EXPECT_TRUE(fs::is_empty(march()));
}

// An original that could not be removed after its copy, or one still being written, stays
// whole on the Desktop and nothing of it reaches the archive.
class AcrossFileSystemsTest : public CleanRunTest {
protected:
    void SetUp() override {
        if (test::deviceOf(shm.path()) == test::deviceOf(home.path()))
            GTEST_SKIP() << "/dev/shm is on the same file system here";
        options.destination = shm / "Archive";
        options.dateBasis = DateBasis::cleaned;
    }
    test::TempDir shm{"/dev/shm"};
};

// `chattr +flag` until the end of the test; false where the file system has no such thing.
class FileFlag {
public:
    FileFlag(fs::path item, char flag) : m_item(std::move(item)), m_flag(flag) {
        m_set = std::system(command('+').c_str()) == 0;
    }
    ~FileFlag() {
        if (m_set)
            static_cast<void>(std::system(command('-').c_str()));
    }
    bool set() const { return m_set; }

private:
    std::string command(char sign) const {
        return std::string("chattr ") + sign + m_flag + " '" + m_item.native() + "' 2>/dev/null";
    }
    fs::path m_item;
    char m_flag;
    bool m_set = false;
};

TEST_F(AcrossFileSystemsTest, anOriginalThatCouldNotBeRemovedIsNeverCopied) {
    struct Case {
        const char* entry;
        char flag;
        const char* reason;
    };
    const Case cases[] = {
        {"Folder/locked.txt", 'i', "(it is immutable)"},
        {"Folder/log.txt", 'a', "(it is append-only)"},
        {"Folder/sub", 'a', "(it is append-only)"},
        {"Folder", 'i', "(it is immutable)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        home.writeFile(home.desktop() / "Folder/locked.txt", "a");
        home.writeFile(home.desktop() / "Folder/log.txt", "b");
        home.writeFile(home.desktop() / "Folder/sub/inner.txt", "c");
        FileFlag flag(home.desktop() / c.entry, c.flag);
        if (!flag.set())
            GTEST_SKIP() << "chattr +" << c.flag << " is not possible here";
        const auto record = clean();
        EXPECT_THAT(record.moved, IsEmpty());
        ASSERT_EQ(record.errors.size(), 1u);
        EXPECT_THAT(record.errors[0], ::testing::StartsWith("Folder: It was left where it was: "));
        EXPECT_THAT(record.errors[0], ::testing::HasSubstr(c.reason));
        EXPECT_TRUE(fs::exists(home.desktop() / "Folder/sub/inner.txt"));
        for (const auto& folder : fs::directory_iterator(options.destination))
            EXPECT_TRUE(fs::is_empty(folder.path()));
    }
}

// Root may remove anything, so the user here is an unprivileged one: the clean runs in a
// child that has become uid 65534 and writes what its record says, one line each.
TEST_F(AcrossFileSystemsTest, whatTheUserMayNotRemoveIsNeverCopied) {
    constexpr uid_t user = 65534;
    struct Case {
        const char* item;
        const char* line; // the record's line: "moved" or its error line
    };
    const Case cases[] = {
        {"Locked", "Locked: It was left where it was: \u201Csub\u201D inside it could not be "
                   "removed afterwards (its contents may not be changed)."},
        {"Shared", "Shared: It was left where it was: \u201Cdrop/theirs.txt\u201D inside it could "
                   "not be removed afterwards (it belongs to another user)."},
        {"Own", "moved"}, // the user's own file in someone else's sticky folder
    };
    const auto owned = [&](const fs::path& path, uid_t owner, fs::perms mode) {
        fs::permissions(path, mode);
        return chown(path.c_str(), owner, owner) == 0;
    };
    const auto desktop = home.desktop();
    home.writeFile(desktop / "Locked/a.txt", "a");
    home.writeFile(desktop / "Locked/sub/inner.txt", "b");
    home.writeFile(desktop / "Shared/drop/theirs.txt", "c");
    home.writeFile(desktop / "Own/drop/mine.txt", "d");
    const auto archive = home.makeFolder(options.destination);
    bool made = owned(home.path(), 0, fs::perms(0755)) && owned(shm.path(), user, fs::perms(0755));
    for (const char* mine : {"", "Locked", "Locked/a.txt", "Shared", "Own", "Own/drop/mine.txt"})
        made = made && owned(desktop / mine, user, fs::perms(0755));
    made = made && owned(archive, user, fs::perms(0755)) &&
           owned(desktop / "Shared/drop", 0, fs::perms(01777)) &&
           owned(desktop / "Own/drop", 0, fs::perms(01777));
    ASSERT_TRUE(made) << std::strerror(errno);
    const auto report = shm / "record";

    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setresgid(user, user, user) != 0 ||
            setresuid(user, user, user) != 0)
            _exit(2);
        PosixFileServices services;
        const auto result =
            DesktopCleaner(services, [this] { return now; }).clean(options, CleanTrigger::manual);
        std::ofstream out(report);
        if (const auto* record = std::get_if<CleanRecord>(&result)) {
            for (const auto& moved : record->moved)
                out << fs::path(moved.originalPath).filename().native() << ": moved\n";
            for (const auto& line : record->errors)
                out << line << "\n";
        } else {
            out << "failed: " << static_cast<int>(std::get<CleanError>(result).kind()) << "\n";
        }
        out.close();
        _exit(out ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "could not become an unprivileged user";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::ifstream in(report);
    std::set<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        const bool moved = std::string_view(c.line) == "moved";
        EXPECT_TRUE(lines.contains(moved ? std::string(c.item) + ": moved" : c.line));
        EXPECT_EQ(fs::exists(desktop / c.item), !moved);
        EXPECT_EQ(fs::exists(march() / c.item), moved) << "nothing of a refused item is copied";
    }
    EXPECT_TRUE(fs::exists(desktop / "Locked/sub/inner.txt"));
    EXPECT_TRUE(fs::exists(desktop / "Shared/drop/theirs.txt"));
    EXPECT_EQ(lines.size(), std::size(cases)) << ::testing::PrintToString(lines);
}

TEST_F(AcrossFileSystemsTest, anItemChangedAMomentAgoWaitsForTheNextRunWithoutAnError) {
    now = std::chrono::system_clock::now();
    file("draft.odt");
    const auto record = clean();
    EXPECT_THAT(record.moved, IsEmpty());
    EXPECT_THAT(record.errors, IsEmpty());
    EXPECT_EQ(record.skippedCount, 1);
    EXPECT_TRUE(fs::exists(home.desktop() / "draft.odt"));
}

TEST_F(AcrossFileSystemsTest, aFileSavedIntoTheFolderAfterTheCopyStaysAndIsNamed) {
    home.writeFile(home.desktop() / "Folder/old.txt", "old");
    class LateWriter : public test::FaultInjectingFileServices {
    public:
        using FaultInjectingFileServices::FaultInjectingFileServices;
        FileStatus removeSnapshot(const fs::path& item, const TreeSnapshot& snapshot) override {
            std::ofstream(item / "new.txt") << "saved just now";
            return FaultInjectingFileServices::removeSnapshot(item, snapshot);
        }
    } writer(files);
    const auto record = clean(writer);
    ASSERT_EQ(record.moved.size(), 1u);
    EXPECT_THAT(record.errors,
                ElementsAre("Folder: moved, but \u201CFolder\u201D could not be removed from the "
                            "Desktop: something new was saved into it."));
    EXPECT_TRUE(fs::exists(home.desktop() / "Folder/new.txt"));
    EXPECT_FALSE(fs::exists(home.desktop() / "Folder/old.txt"));
    EXPECT_TRUE(fs::exists(options.destination / "2025-03 March/Folder/old.txt"));
}

class RecordingObserver : public CleanObserver {
public:
    void cleanStarted(const CleanRecord& header, std::size_t count) override {
        events.push_back("start " + std::to_string(count) + " skipped " +
                         std::to_string(header.skippedCount));
    }
    void movesPlanned(const std::vector<PlannedMove>& moves) override {
        std::string line = "plan";
        for (const auto& move : moves)
            line += " " + move.target.filename().native() + (move.identity ? "" : "?");
        events.push_back(line);
    }
    void itemWillMove(const fs::path& source, const fs::path& target) override {
        events.push_back("will " + source.filename().native() + " to " +
                         target.filename().native());
    }
    void itemMoved(const MovedFile& item) override {
        events.push_back("moved " + fs::path(item.newPath).filename().native());
    }
    void errorAdded(const std::string& line) override {
        events.push_back("error " + line.substr(0, 1));
    }
    std::vector<std::string> events;
};

// The journal hears a batch, with the identities the scan saw, before any of it moves, and a
// name found taken before the item moves under another.
TEST_F(CleanRunTest, anObserverHearsEachBatchBeforeItMovesAndEachOtherTargetBeforeItIsUsed) {
    options.dateBasis = DateBasis::cleaned;
    file("a");
    file("b");
    file("c");
    file(".d");
    home.writeFile(march() / "b", "already archived");
    fake.failOn(FileOperation::moveItem, home.desktop() / "c", EIO);
    RecordingObserver observer;
    clean(fake, &observer);
    EXPECT_THAT(observer.events, ElementsAre("start 3 skipped 1", "plan a b c", "moved a",
                                             "will b to b 2", "moved b 2", "error c"));
}

// Copies across file systems go together: each state is announced once for the whole batch,
// and a name taken while the copies were made is exchanged for the next free one, told first.
TEST_F(AcrossFileSystemsTest, aBatchIsAnnouncedOnceAStateAndANameTakenMeanwhileIsExchanged) {
    file("a");
    file("b");
    DuringCopy taker(files, [](const fs::path& source, const fs::path& target) {
        if (source.filename() == "b")
            std::ofstream(target.parent_path() / "b") << "theirs";
    });
    class StepObserver : public RecordingObserver {
    public:
        bool transfersStepped(std::span<const TransferStep> steps) override {
            events.push_back("steps " + std::to_string(steps.size()));
            return true;
        }
    } observer;
    const auto record = clean(taker, &observer);
    EXPECT_THAT(observer.events,
                ElementsAre("start 2 skipped 0", "plan a b", "steps 2", "steps 2", "will b to b 2",
                            "steps 1", "steps 2", "moved a", "moved b 2"));
    EXPECT_TRUE(fs::is_empty(home.desktop()));
    EXPECT_EQ(fs::file_size(march() / "b"), 6u); // theirs
    EXPECT_EQ(fs::file_size(march() / "b 2"), 1u);
}

// On a large Desktop the first batch moves while the rest is still being read; the record and
// the journal still count every item that stays.
TEST_F(CleanRunTest, theFirstBatchMovesWhileALargeDesktopIsStillBeingRead) {
    options.dateBasis = DateBasis::cleaned;
    for (int i = 100; i < 400; ++i)
        file("a" + std::to_string(i));
    for (int i = 0; i < 20; ++i)
        file("z" + std::to_string(i) + ".desktop"); // launchers stay
    class Observer : public CleanObserver {
    public:
        void cleanStarted(const CleanRecord& header, std::size_t count) override {
            events.push_back("start " + std::to_string(count) + " skipped " +
                             std::to_string(header.skippedCount));
        }
        void scanFinished(const CleanRecord& header, std::size_t count) override {
            events.push_back("read " + std::to_string(count) + " skipped " +
                             std::to_string(header.skippedCount));
        }
        void movesPlanned(const std::vector<PlannedMove>& moves) override {
            events.push_back("plan " + std::to_string(moves.size()));
            if (events.size() == 2)
                firstBatch.set_value();
        }
        void itemWillMove(const fs::path&, const fs::path&) override {}
        void itemMoved(const MovedFile&) override {}
        void errorAdded(const std::string& line) override { events.push_back(line); }
        std::vector<std::string> events;
        std::promise<void> firstBatch;
    } observer;
    bool waitedInVain = false;
    auto announced = observer.firstBatch.get_future().share();
    fake.beforeValuesOf([&](const fs::path& item) {
        if (item.filename() == "z0.desktop")
            waitedInVain = announced.wait_for(seconds(20)) != std::future_status::ready;
    });
    const auto record = clean(fake, &observer);
    EXPECT_FALSE(waitedInVain);
    EXPECT_EQ(record.moved.size(), 300u);
    EXPECT_EQ(record.skippedCount, 20);
    EXPECT_THAT(observer.events,
                ElementsAre("start 320 skipped 0", "plan 256", "read 300 skipped 20", "plan 44"));
}

// A failure on the thread that reads the Desktop reaches the run's caller instead of ending
// the program or leaving the run waiting; the item it failed on stays.
TEST_F(CleanRunTest, aFailureWhileTheDesktopIsReadReachesTheCaller) {
    options.dateBasis = DateBasis::cleaned;
    for (int i = 100; i < 400; ++i)
        file("a" + std::to_string(i));
    fake.beforeValuesOf([](const fs::path& item) {
        if (item.filename() == "a399")
            throw std::bad_alloc();
    });
    EXPECT_THROW(cleanFailing(fake), std::bad_alloc);
    EXPECT_TRUE(fs::exists(home.desktop() / "a399"));
}

// A slow drive still shows progress: what was copied in one round is finished and counted
// while the round after next is copied.
TEST_F(AcrossFileSystemsTest, aLongBatchIsFinishedRoundByRound) {
    file("a");
    file("b");
    file("c");
    RecordingObserver observer;
    std::vector<std::string> heardBeforeC;
    DuringCopy slow(files, [&](const fs::path& source, const fs::path&) {
        if (source.filename() == "c")
            heardBeforeC = observer.events;
        else
            std::this_thread::sleep_for(CopyBatch::roundTime);
    });
    EXPECT_EQ(clean(slow, &observer).moved.size(), 3u);
    EXPECT_THAT(heardBeforeC, ::testing::Contains("moved a"));
}

// Copies reach a drive only with the round's flush, so a round takes no more than the last
// flush showed the drive can write in a round's time, and never more than 64 MiB: the first
// flush here writes 64 MiB in four seconds, the right pace for 32 MiB a round, and the next
// ones are quick, so that the fourth round is copied while the third is flushed, by the pace
// the second showed. (The files are sparse: copied at once.)
TEST_F(AcrossFileSystemsTest, aRoundTakesWhatTheLastFlushCouldWriteInARoundsTime) {
    for (int i = 10; i < 42; ++i)
        fs::resize_file(file("f" + std::to_string(i)), 8 << 20);
    class SlowFirstFlush : public test::FaultInjectingFileServices {
    public:
        using FaultInjectingFileServices::FaultInjectingFileServices;
        FileStatus syncFileSystem(const FileSystemWatch& watch) override {
            if (!held.exchange(true))
                std::this_thread::sleep_for(CopyBatch::roundTime * 2);
            return FaultInjectingFileServices::syncFileSystem(watch);
        }
        std::atomic<bool> held = false;
    } drive(files);
    class RoundObserver : public RecordingObserver {
    public:
        bool transfersStepped(std::span<const TransferStep> steps) override {
            if (steps.front().state == TransferStep::State::copied)
                rounds.push_back(int(steps.size()));
            return true;
        }
        std::vector<int> rounds;
    } observer;
    EXPECT_EQ(clean(drive, &observer).moved.size(), 32u);
    EXPECT_THAT(observer.rounds, ElementsAre(8, 4, 8, 8, 4));
}

// After a quick flush the next round is copied while the drive writes, but no original goes
// before the flush that made its copy durable is over.
TEST_F(AcrossFileSystemsTest, aQuickDriveWritesOneRoundWhileTheNextIsCopied) {
    for (int i = 10; i < 34; ++i)
        fs::resize_file(file("f" + std::to_string(i)), 8 << 20);
    class Drive : public test::FaultInjectingFileServices {
    public:
        using FaultInjectingFileServices::FaultInjectingFileServices;
        FileStatus copyItem(const fs::path& source, const fs::path& target,
                            const TreeSnapshot& snapshot, const std::function<bool()>& cancelled,
                            CopyDurability durability) override {
            // Long enough for the flush's thread to have started by the round's last copy.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            copiedDuringFlush += flushing ? 1 : 0;
            flushesBeforeCopy[source] = flushes;
            return FaultInjectingFileServices::copyItem(source, target, snapshot, cancelled,
                                                        durability);
        }
        FileStatus syncFileSystem(const FileSystemWatch& watch) override {
            flushing = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            auto synced = FaultInjectingFileServices::syncFileSystem(watch);
            ++flushes;
            flushing = false;
            return synced;
        }
        FileStatus removeSnapshot(const fs::path& item, const TreeSnapshot& snapshot) override {
            removedEarly = removedEarly || flushes <= flushesBeforeCopy.at(item);
            return FaultInjectingFileServices::removeSnapshot(item, snapshot);
        }
        std::atomic<bool> flushing = false;
        std::atomic<int> flushes = 0;
        int copiedDuringFlush = 0;
        std::map<fs::path, int> flushesBeforeCopy;
        bool removedEarly = false;
    } drive(files);
    EXPECT_EQ(clean(drive).moved.size(), 24u);
    EXPECT_EQ(drive.flushes, 3);
    EXPECT_GT(drive.copiedDuringFlush, 0);
    EXPECT_FALSE(drive.removedEarly);
}

TEST_F(AcrossFileSystemsTest, aFlushThatFailsLeavesEveryItemOfTheBatchWhereItWas) {
    file("a");
    home.writeFile(home.desktop() / "Folder/b.txt", "b");
    fake.failOn(FileOperation::syncFileSystem, std::nullopt, EIO);
    const auto record = clean(fake);
    EXPECT_THAT(record.moved, IsEmpty());
    ASSERT_EQ(record.errors.size(), 2u);
    EXPECT_THAT(record.errors[0], ::testing::StartsWith("Folder: Could not save"));
    EXPECT_THAT(record.errors[1], ::testing::StartsWith("a: Could not save"));
    EXPECT_TRUE(fs::exists(home.desktop() / "a"));
    EXPECT_TRUE(fs::exists(home.desktop() / "Folder/b.txt"));
    EXPECT_TRUE(fs::is_empty(march()));
}

// A numbered name the journal could not take is never used: a kill could leave the item
// there unrecorded.
TEST_F(CleanRunTest, anItemWhoseNewNameCouldNotBeRecordedStays) {
    options.dateBasis = DateBasis::cleaned;
    file("a");
    home.writeFile(march() / "a", "already archived");
    class UnwritableJournal : public RecordingObserver {
    public:
        void itemWillMove(const fs::path&, const fs::path&) override { failed = true; }
        bool shouldStop() override { return failed; }
        bool failed = false;
    } observer;
    const auto record = clean(files, &observer);
    EXPECT_THAT(record.moved, IsEmpty());
    EXPECT_THAT(record.errors, ElementsAre("Stopped: Sorvane was quit before the clean finished."));
    EXPECT_TRUE(fs::exists(home.desktop() / "a"));
    EXPECT_FALSE(fs::exists(march() / "a 2"));
}

class StoppingObserver : public RecordingObserver {
public:
    bool shouldStop() override { return ++asked > 2; }
    int asked = 0;
};

TEST_F(CleanRunTest, aRunAskedToStopEndsAfterTheItemInHandWithEverythingRecorded) {
    for (const char* name : {"a", "b", "c", "d"})
        file(name);
    StoppingObserver observer;
    const auto record = clean(files, &observer);
    ASSERT_EQ(record.moved.size(), 2u);
    EXPECT_THAT(record.errors, ElementsAre("Stopped: Sorvane was quit before the clean finished."));
    EXPECT_TRUE(fs::exists(home.desktop() / "c"));
    EXPECT_TRUE(fs::exists(home.desktop() / "d"));
}

} // namespace
} // namespace sorvane
