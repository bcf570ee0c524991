// SPDX-License-Identifier: MIT
#include "engine/desktop_cleaner.h"
#include "fakes/fault_injecting_file_services.h"
#include "platform/folder_bookmark.h"
#include "platform/posix_file_services.h"
#include "support/file_attributes.h"
#include "support/private_home.h"
#include "support/temp_dir.h"

#include <cerrno>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace sorvane {
namespace {

using namespace std::chrono;
using test::FileOperation;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class UndoTest : public ::testing::Test {
protected:
    UndoTest() : fake(files) {
        options.destination = home.archive();
        options.dateBasis = DateBasis::cleaned;
    }

    fs::path file(const std::string& name, const std::string& contents = "x") {
        return home.writeFile(home.desktop() / name, contents);
    }
    CleanRecord clean() {
        return std::get<CleanRecord>(cleaner().clean(options, CleanTrigger::manual));
    }
    UndoResult undo(const CleanRecord& record, FileServices* services = nullptr) {
        return cleaner(services).undo(record, options.destination);
    }
    DesktopCleaner cleaner(FileServices* services = nullptr) {
        return DesktopCleaner(services ? *services : files, [] { return march7; });
    }
    fs::path march() const { return options.destination / "2025-03 March"; }
    fs::path trash() const { return home / ".local/share/Trash"; }

    static inline const Timestamp march7 = sys_days{2025y / March / 7} + hours(9);
    test::PrivateHome home;
    PosixFileServices files;
    test::FaultInjectingFileServices fake;
    CleanOptions options;
};

TEST_F(UndoTest, putsEverythingBackInRecordOrderAndTrashesTheEmptiedFolder) {
    file("b.txt", "bee");
    file("a.txt", "ay");
    home.writeFile(home.desktop() / "Folder/inner", "in");
    ASSERT_FALSE(fs::exists(home / ".local/share"));
    const auto record = clean();

    const auto result = undo(record);
    EXPECT_EQ(result.restored, record.moved);
    EXPECT_THAT(result.remaining, IsEmpty());
    EXPECT_THAT(result.errors, IsEmpty());
    EXPECT_EQ(contentsOf(home.desktop() / "a.txt"), "ay");
    EXPECT_EQ(contentsOf(home.desktop() / "Folder/inner"), "in");
    EXPECT_FALSE(fs::exists(march()));
    EXPECT_TRUE(fs::exists(options.destination)) << "the archive root itself stays";

    EXPECT_TRUE(fs::is_directory(trash() / "files/2025-03 March"));
    const auto info = contentsOf(trash() / "info/2025-03 March.trashinfo");
    std::string encoded = march().native();
    for (auto at = encoded.find(' '); at != std::string::npos; at = encoded.find(' '))
        encoded.replace(at, 1, "%20");
    EXPECT_THAT(info, ::testing::StartsWith("[Trash Info]\nPath=" + encoded + "\n"));
    EXPECT_THAT(info, ::testing::HasSubstr("DeletionDate="));
}

class RecordingUndo : public UndoObserver {
public:
    void undoProgressed(std::size_t, std::size_t) override {}
    void restoresPlanned(std::span<const MovedFile> items,
                         std::span<const std::optional<FileIdentity>>) override {
        std::string line = "plan";
        for (const auto& item : items)
            line += " " + fs::path(item.originalPath).filename().native();
        events.push_back(line);
    }
    void itemWillRestore(const MovedFile&, const fs::path& target) override {
        events.push_back("will " + target.filename().native());
    }
    void itemRestored(const MovedFile&, const fs::path& target) override {
        events.push_back("back " + target.filename().native());
    }
    std::vector<std::string> events;
};

// The journal hears a batch before any of it moves back, and a name found taken before the
// item comes back under another.
TEST_F(UndoTest, anItemWhoseNameWasTakenMeanwhileComesBackNumberedAndIsAnnouncedSo) {
    file("notes.txt", "old");
    file("plan.txt");
    const auto record = clean();
    file("notes.txt", "new");
    RecordingUndo observer;
    const auto result = cleaner().undo(record, options.destination, &observer);
    EXPECT_EQ(result.restored.size(), 2u);
    EXPECT_EQ(contentsOf(home.desktop() / "notes.txt"), "new");
    EXPECT_EQ(contentsOf(home.desktop() / "notes 2.txt"), "old");
    EXPECT_THAT(observer.events, ElementsAre("plan notes.txt plan.txt", "will notes 2.txt",
                                             "back notes 2.txt", "back plan.txt"));
}

// A large run and its undo announce every item once, in batches that grow, and each before
// the item moves, an undo's with the identity each item has in the archive.
TEST_F(UndoTest, aLargeRunAnnouncesEachItemOnceAndBeforeItMovesBothWays) {
    for (int i = 0; i < 800; ++i)
        file("f" + std::to_string(i));
    struct Announced : CleanObserver, UndoObserver {
        std::vector<std::size_t> sizes;
        std::multiset<std::string> planned;
        std::size_t unannounced = 0;
        std::size_t wrongIdentities = 0;
        void movesPlanned(const std::vector<PlannedMove>& moves) override {
            sizes.push_back(moves.size());
            for (const auto& move : moves)
                planned.insert(move.source.native());
        }
        void itemMoved(const MovedFile& item) override {
            unannounced += planned.count(item.originalPath) != 1;
        }
        void restoresPlanned(std::span<const MovedFile> items,
                             std::span<const std::optional<FileIdentity>> identities) override {
            sizes.push_back(items.size());
            wrongIdentities += identities.size() != items.size();
            for (std::size_t i = 0; i < items.size(); ++i) {
                planned.insert(items[i].newPath);
                wrongIdentities += i < identities.size() &&
                                   identities[i] != PosixFileServices().identity(items[i].newPath);
            }
        }
        void itemRestored(const MovedFile& item, const fs::path&) override {
            unannounced += planned.count(item.newPath) != 1;
        }
        void undoProgressed(std::size_t, std::size_t) override {}
        void cleanStarted(const CleanRecord&, std::size_t) override {}
        void itemWillMove(const fs::path&, const fs::path&) override {}
        void errorAdded(const std::string&) override {}
    } announced;
    const auto record =
        std::get<CleanRecord>(cleaner().clean(options, CleanTrigger::manual, &announced));
    ASSERT_EQ(record.moved.size(), 800u);
    EXPECT_EQ(cleaner().undo(record, options.destination, &announced).restored.size(), 800u);
    EXPECT_THAT(announced.sizes, ElementsAre(256, 512, 32, 256, 512, 32));
    EXPECT_EQ(announced.planned.size(), 1600u);
    EXPECT_EQ(announced.unannounced, 0u);
    EXPECT_EQ(announced.wrongIdentities, 0u);
}

TEST_F(UndoTest, aFolderStillHoldingOtherThingsIsKeptButLeftoverDsStoreIsNot) {
    file("a.txt");
    auto record = clean();
    home.writeFile(march() / ".DS_Store");
    undo(record);
    EXPECT_FALSE(fs::exists(march()));

    file("a.txt");
    record = clean();
    home.writeFile(march() / "from another run.txt");
    undo(record);
    EXPECT_TRUE(fs::exists(march() / "from another run.txt"));
}

TEST_F(UndoTest, aRecordFromAnEarlierArchiveIsRestoredButNothingIsTrashed) {
    file("a.txt");
    const auto record = clean();
    const auto moved = home / "Moved Archive";
    // The user moved the old archive away and chose a new, empty one.
    fs::rename(options.destination, moved);
    fs::create_directories(options.destination);
    CleanRecord oldPlace = record;
    oldPlace.moved[0].newPath = (moved / "2025-03 March/a.txt").native();

    const auto result = undo(oldPlace);
    EXPECT_EQ(result.restored.size(), 1u);
    EXPECT_TRUE(fs::exists(home.desktop() / "a.txt"));
    EXPECT_TRUE(fs::is_directory(moved / "2025-03 March"));
    EXPECT_FALSE(fs::exists(trash()));
}

TEST_F(UndoTest, aMissingDesktopIsMadeAgain) {
    file("a.txt");
    const auto record = clean();
    fs::remove_all(home.desktop());
    EXPECT_EQ(undo(record).restored.size(), 1u);
    EXPECT_TRUE(fs::exists(home.desktop() / "a.txt"));
}

TEST_F(UndoTest, deletedArchivedItemsAreDroppedWithALineEach) {
    file("a.txt");
    file("b.txt");
    const auto record = clean();
    fs::remove(march() / "a.txt");
    fs::remove(march() / "b.txt");
    const auto result = undo(record);
    EXPECT_THAT(result.restored, IsEmpty());
    EXPECT_THAT(result.remaining, IsEmpty());
    EXPECT_THAT(result.errors,
                ElementsAre("a.txt: no longer in the archive", "b.txt: no longer in the archive"));
}

TEST_F(UndoTest, itemsOfAnArchiveWhoseDriveIsAwayStayUndoable) {
    file("a.txt");
    const auto record = clean();
    fs::rename(options.destination, home / "unplugged");
    const auto result = undo(record);
    EXPECT_THAT(result.restored, IsEmpty());
    EXPECT_EQ(result.remaining, record.moved);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_THAT(result.errors[0], ::testing::StartsWith("a.txt: "));
}

TEST_F(UndoTest, aMissingItemIsGoneOnlyWhenItsArchiveIsTheFolderTheRunUsed) {
    struct Case {
        const char* name;
        bool bookmarked;
        bool driveAway;
        bool gone;
    };
    for (const auto& [name, bookmarked, driveAway, gone] :
         {Case{"folder deleted by the user", false, false, true},
          Case{"folder deleted, archive bookmarked", true, false, true},
          Case{"drive away, its mount point left", false, true, false},
          Case{"drive away, archive bookmarked", true, true, false}}) {
        SCOPED_TRACE(name);
        fs::remove_all(options.destination);
        file("a.txt");
        file("b.txt");
        const auto record = clean();
        home.writeFile(options.destination / "2024-01 January/kept.txt");
        const auto bookmark =
            bookmarked ? FolderBookmark::create(options.destination) : std::nullopt;
        if (driveAway) {
            // The drive's folders go with it; an empty folder of the same name stays behind,
            // and with it the dated folder the user never deleted.
            fs::rename(options.destination, home / "unplugged");
            fs::create_directory(options.destination);
        } else {
            fs::remove_all(march());
        }
        const auto result = cleaner().undo(record, options.destination, nullptr, bookmark);
        EXPECT_THAT(result.restored, IsEmpty());
        EXPECT_EQ(result.remaining.empty(), gone);
        ASSERT_EQ(result.errors.size(), 2u);
        EXPECT_EQ(result.errors[0], gone ? "a.txt: no longer in the archive"
                                         : "a.txt: its archive folder \u201CDesktop "
                                           "Archive\u201D is not available.");
        fs::remove_all(home / "unplugged");
    }
}

TEST_F(UndoTest, aFailedPutBackKeepsTheItemInTheArchiveAndGoesOn) {
    file("a.txt");
    file("b.txt");
    const auto record = clean();
    fake.failOn(FileOperation::moveItem, march() / "a.txt", EIO);
    const auto result = undo(record, &fake);
    EXPECT_EQ(result.remaining, std::vector{record.moved[0]});
    EXPECT_EQ(result.restored, std::vector{record.moved[1]});
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_THAT(result.errors[0], ::testing::StartsWith("a.txt: "));
    EXPECT_TRUE(fs::exists(march() / "a.txt"));
}

TEST_F(UndoTest, looksAtAnEmptiedFolderOnceNotAfterEveryItem) {
    for (int i = 0; i < 50; ++i)
        file("item" + std::to_string(i));
    const auto record = clean();
    test::FaultInjectingFileServices counting(files);
    undo(record, &counting);
    EXPECT_EQ(counting.callCount(FileOperation::directoryHoldsOnly), 1);
    EXPECT_EQ(counting.callCount(FileOperation::listDirectory), 0);
    EXPECT_EQ(counting.callCount(FileOperation::trashItem), 1);
}

class UndoAcrossTest : public UndoTest {
protected:
    void SetUp() override {
        if (test::deviceOf(shm.path()) == test::deviceOf(home.path()))
            GTEST_SKIP() << "/dev/shm is on the same file system here";
        options.destination = shm / "Archive";
    }
    test::TempDir shm{"/dev/shm"};
};

TEST_F(UndoAcrossTest, itemsComeBackWithTheirTagsAndTimes) {
    options.keepTaggedFiles = false;
    const Timestamp written = sys_days{2024y / June / 1} + nanoseconds(987654321);
    const auto item = file("tagged.txt", "tagged");
    test::setTags(item, "pinned");
    test::setModificationTime(item, written);
    const auto record = clean();
    ASSERT_EQ(record.moved.size(), 1u);

    EXPECT_EQ(undo(record).restored.size(), 1u);
    EXPECT_EQ(test::tags(item), "pinned");
    EXPECT_EQ(test::modificationTime(item), written);
    EXPECT_EQ(contentsOf(item), "tagged");
}

TEST_F(UndoAcrossTest, copiesBackAreFlushedTogetherAndTheirFailuresTold) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        file(name, name);
    const auto record = clean();
    ASSERT_EQ(record.moved.size(), 4u);
    std::map<std::string, MovedFile> moved;
    for (const auto& item : record.moved)
        moved.emplace(fs::path(item.originalPath).filename(), item);
    fake.failOn(FileOperation::removeSnapshot, march() / "b.txt", EBUSY);
    fake.failOn(FileOperation::copyItem, march() / "c.txt", EIO);

    const auto result = undo(record, &fake);
    EXPECT_EQ(fake.callCount(FileOperation::syncFileSystem), 1);
    EXPECT_EQ(fake.callCount(FileOperation::syncFolder), 0);
    std::vector<MovedFile> restored, remaining{moved.at("c.txt")};
    for (const auto& item : record.moved)
        if (item.originalPath != moved.at("c.txt").originalPath)
            restored.push_back(item);
    EXPECT_EQ(result.restored, restored);
    EXPECT_EQ(result.remaining, remaining);
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_THAT(result.errors, ::testing::Contains(::testing::StartsWith("b.txt: put back, but ")));
    EXPECT_THAT(result.errors, ::testing::Contains(::testing::StartsWith("c.txt: ")));
    for (const char* name : {"a.txt", "b.txt", "d.txt"})
        EXPECT_EQ(contentsOf(home.desktop() / name), name);
    EXPECT_FALSE(fs::exists(home.desktop() / "c.txt"));
    EXPECT_TRUE(fs::exists(march() / "c.txt"));
}

class StopAfterFirst : public UndoObserver {
public:
    void undoProgressed(std::size_t, std::size_t) override { stop = true; }
    bool shouldStop() override { return stop; }
    bool stop = false;
};

// Copies wait for their batch: a stop before it leaves the items queued so far untouched too.
class StopFromSecondQuestion : public UndoObserver {
public:
    void undoProgressed(std::size_t, std::size_t) override {}
    bool shouldStop() override { return ++asked >= 2; }
    int asked = 0;
};

TEST_F(UndoAcrossTest, aStopLeavesTheQueuedCopiesUndoneInRecordOrder) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        file(name);
    const auto record = clean();
    StopFromSecondQuestion observer;
    const auto result = cleaner().undo(record, options.destination, &observer);
    EXPECT_THAT(result.restored, IsEmpty());
    EXPECT_EQ(result.remaining, record.moved);
    EXPECT_EQ(result.errors.size(), 3u);
    EXPECT_TRUE(fs::is_empty(home.desktop()));
}

TEST_F(UndoTest, anUndoAskedToStopLeavesTheRestUndoable) {
    file("a.txt");
    file("b.txt");
    file("c.txt");
    const auto record = clean();
    StopAfterFirst observer;
    const auto result = cleaner().undo(record, options.destination, &observer);
    EXPECT_EQ(result.restored, std::vector{record.moved[0]});
    EXPECT_EQ(result.remaining, (std::vector{record.moved[1], record.moved[2]}));
    EXPECT_EQ(result.errors.size(), 2u);
    EXPECT_TRUE(fs::exists(march() / "b.txt"));
}

} // namespace
} // namespace sorvane
