#include "history/clean_record_json.h"
#include "history/history_store.h"
#include "platform/durable_file.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::ScopedEnvironment;
using test::TempDir;

Uuid uuid(std::string_view text) {
    return *Uuid::fromString(text);
}

CleanRecord record(int number, std::size_t movedCount = 1, bool undone = false) {
    CleanRecord result;
    result.id = Uuid::random();
    result.date = sys_days{2025y / March / 1} + hours(number);
    for (std::size_t i = 0; i < movedCount; ++i)
        result.moved.push_back(
            {Uuid::random(), "/home/ana/Desktop/f" + std::to_string(i),
             "/home/ana/Documents/Desktop Archive/2025-03 March/f" + std::to_string(i)});
    result.skippedCount = number;
    result.undone = undone;
    return result;
}

std::string contents(const fs::path& file) {
    const auto bytes = DurableFile::read(file);
    return bytes ? *bytes : "<unreadable>";
}

std::vector<CleanRecord> onDisk(const HistoryStore& store) {
    return CleanRecordJson::decode(contents(store.fileURL())).value_or(std::vector<CleanRecord>{});
}

std::vector<fs::path> entries(const fs::path& folder) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

/// Makes a folder immutable for the life of the object, so that even root cannot add,
/// replace or remove anything in it.
class ImmutableFolder {
public:
    explicit ImmutableFolder(fs::path folder) : m_folder(std::move(folder)) {
        m_done = std::system(("chattr +i '" + m_folder.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~ImmutableFolder() {
        if (m_done)
            std::system(("chattr -i '" + m_folder.string() + "'").c_str());
    }
    bool done() const { return m_done; }

private:
    fs::path m_folder;
    bool m_done = false;
};

class HistoryStoreTest : public ::testing::Test {
protected:
    HistoryStoreTest() {
        m_environment.set("HOME", m_home.path().string());
        m_environment.unset("XDG_DATA_HOME");
        m_environment.unset("XDG_CONFIG_HOME");
        m_environment.unset("XDG_RUNTIME_DIR");
    }

    fs::path folder() const { return m_home / "data"; }
    fs::path file() const { return folder() / "history.json"; }

    TempDir m_home;
    ScopedEnvironment m_environment;
};

TEST_F(HistoryStoreTest, StartsEmptyAndWritesNothingUntilTheFirstRun) {
    HistoryStore store(folder());
    EXPECT_TRUE(store.records().empty());
    EXPECT_EQ(store.fileURL(), file());
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_FALSE(fs::exists(file()));

    const CleanRecord first = record(1);
    store.add(first);
    ASSERT_EQ(onDisk(store).size(), 1u);
    EXPECT_EQ(onDisk(store)[0].id, first.id);
    EXPECT_EQ(entries(folder()), std::vector<fs::path>{"history.json"});
}

TEST_F(HistoryStoreTest, LivesInTheUsersDataFolderByDefault) {
    HistoryStore store;
    EXPECT_EQ(store.fileURL(), m_home / ".local/share/Sorvane/history.json");
    EXPECT_TRUE(fs::is_directory(m_home / ".local/share/Sorvane"));

    m_environment.set("XDG_DATA_HOME", (m_home / "elsewhere").string());
    EXPECT_EQ(HistoryStore().fileURL(), m_home / "elsewhere/Sorvane/history.json");
}

TEST_F(HistoryStoreTest, ReportsEachStoredChangeAfterTheFileHoldsIt) {
    HistoryStore store(folder());
    std::vector<std::size_t> recordsOnDiskAtSignal;
    QObject::connect(&store, &HistoryStore::recordsChanged,
                     [&] { recordsOnDiskAtSignal.push_back(onDisk(store).size()); });
    const CleanRecord run = record(1);
    store.add(run);
    store.markUndone(Uuid::random());
    store.recordPartialUndo(Uuid::random(), {});
    store.markUndone(run.id);
    store.clear();
    EXPECT_EQ(recordsOnDiskAtSignal, (std::vector<std::size_t>{1, 1, 0}));
}

TEST_F(HistoryStoreTest, KeepsAnUndecodableFileAsideBeforeTheFirstOverwrite) {
    m_home.writeFile("data/history.json", "{ this is not a history");
    {
        HistoryStore store(folder());
        EXPECT_TRUE(store.records().empty());
        EXPECT_EQ(contents(file()), "{ this is not a history");
        store.add(record(1));
        EXPECT_EQ(onDisk(store).size(), 1u);
        store.add(record(2));
        EXPECT_EQ(onDisk(store).size(), 2u);
    }
    EXPECT_EQ(contents(folder() / "history.json.unreadable"), "{ this is not a history");

    // A second damaged file never replaces the first one kept aside.
    m_home.writeFile("data/history.json", "[{}]");
    HistoryStore store(folder());
    EXPECT_TRUE(store.records().empty());
    store.add(record(3));
    EXPECT_EQ(store.records().size(), 1u);
    EXPECT_EQ(contents(folder() / "history.json.unreadable"), "{ this is not a history");
    EXPECT_EQ(contents(folder() / "history.json.unreadable.2"), "[{}]");
    EXPECT_EQ(entries(folder()), (std::vector<fs::path>{"history.json", "history.json.unreadable",
                                                        "history.json.unreadable.2"}));
}

TEST_F(HistoryStoreTest, FractionalSecondsRejectTheWholeFile) {
    const std::string good = CleanRecordJson::encode({record(1), record(2)});
    std::string withFraction = good;
    const auto z = withFraction.find("Z\"");
    withFraction.insert(z, ".250");
    m_home.writeFile("data/history.json", withFraction);

    HistoryStore store(folder());
    EXPECT_TRUE(store.records().empty());
    EXPECT_EQ(contents(file()), withFraction);
}

TEST_F(HistoryStoreTest, KeepsTheSixtyNewestRuns) {
    HistoryStore store(folder());
    std::vector<CleanRecord> added;
    for (int i = 0; i < 61; ++i) {
        added.push_back(record(i));
        store.add(added.back());
    }
    ASSERT_EQ(store.records().size(), 60u);
    EXPECT_EQ(store.records().front().id, added[60].id);
    EXPECT_EQ(store.records().back().id, added[1].id);
    EXPECT_EQ(onDisk(store), store.records());
}

TEST_F(HistoryStoreTest, LoadsLongerFilesWholeAndCutsThemAtTheNextRun) {
    std::vector<CleanRecord> written;
    for (int i = 0; i < 100; ++i)
        written.push_back(record(100 - i));
    // Out of date order on purpose: the file's order is kept as it is.
    std::swap(written[3], written[4]);
    m_home.writeFile("data/history.json", CleanRecordJson::encode(written));

    HistoryStore store(folder());
    EXPECT_EQ(store.records(), written);
    EXPECT_EQ(contents(file()), CleanRecordJson::encode(written));

    const CleanRecord newest = record(200);
    store.add(newest);
    ASSERT_EQ(store.records().size(), 60u);
    EXPECT_EQ(store.records()[0], newest);
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 59, store.records().begin() + 1));
    EXPECT_EQ(HistoryStore(folder()).records(), store.records());
}

TEST_F(HistoryStoreTest, LastUndoableSkipsUndoneRunsAndRunsThatMovedNothing) {
    HistoryStore store(folder());
    EXPECT_FALSE(store.lastUndoable());
    const CleanRecord older = record(1);
    store.add(older);
    store.add(record(2, 0));
    store.add(record(3, 2, true));
    ASSERT_TRUE(store.lastUndoable());
    EXPECT_EQ(store.lastUndoable()->id, older.id);

    store.markUndone(older.id);
    EXPECT_FALSE(store.lastUndoable());
    EXPECT_TRUE(HistoryStore(folder()).records()[2].undone);
}

TEST_F(HistoryStoreTest, PartialUndoKeepsWhatStayedInTheArchive) {
    HistoryStore store(folder());
    const CleanRecord run = record(1, 3);
    store.add(run);

    const std::vector<MovedFile> stayed{run.moved[1]};
    store.recordPartialUndo(run.id, stayed);
    EXPECT_EQ(store.records()[0].moved, stayed);
    EXPECT_FALSE(store.records()[0].undone);
    ASSERT_TRUE(store.lastUndoable());
    EXPECT_EQ(store.lastUndoable()->id, run.id);
    EXPECT_EQ(HistoryStore(folder()).records()[0].moved, stayed);

    store.recordPartialUndo(run.id, {});
    EXPECT_TRUE(store.records()[0].moved.empty());
    EXPECT_TRUE(store.records()[0].undone);
    EXPECT_FALSE(store.lastUndoable());
    EXPECT_TRUE(HistoryStore(folder()).records()[0].undone);
}

TEST_F(HistoryStoreTest, UnknownIdentifiersChangeNothing) {
    HistoryStore store(folder());
    const CleanRecord run = record(1);
    store.add(run);
    fs::remove(file());
    store.markUndone(Uuid::random());
    store.recordPartialUndo(Uuid::random(), {});
    EXPECT_EQ(store.records()[0], run);
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(HistoryStoreTest, ClearedHistoryStaysEmptyAfterARestart) {
    {
        HistoryStore store(folder());
        store.add(record(1));
        store.add(record(2));
        store.clear();
        EXPECT_TRUE(store.records().empty());
    }
    EXPECT_EQ(contents(file()), "[]");
    EXPECT_TRUE(HistoryStore(folder()).records().empty());
}

TEST_F(HistoryStoreTest, WritesTheKnownFormByteForByte) {
    CleanRecord older;
    older.id = uuid("66666666-7777-4888-9999-aaaaaaaaaaaa");
    older.date = sys_days{2025y / March / 6} + 18h + 500ms;
    older.trigger = CleanTrigger::scheduled;
    older.undone = true;
    CleanRecord newer;
    newer.id = uuid("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    newer.date = sys_days{2025y / March / 7} + 9h + 15min;
    newer.moved.push_back({uuid("11111111-2222-4333-8444-555555555555"), "/home/ana/Desktop/b.txt",
                           "/home/ana/Documents/Desktop Archive/2025-03 March/b.txt"});
    newer.skippedCount = 2;
    newer.errors = {"a.txt: Could not move it."};

    HistoryStore store(folder());
    store.add(older);
    store.add(newer);
    EXPECT_EQ(contents(file()), R"json([
  {
    "date" : "2025-03-07T09:15:00Z",
    "errors" : [
      "a.txt: Could not move it."
    ],
    "id" : "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3",
    "moved" : [
      {
        "id" : "11111111-2222-4333-8444-555555555555",
        "newPath" : "\/home\/ana\/Documents\/Desktop Archive\/2025-03 March\/b.txt",
        "originalPath" : "\/home\/ana\/Desktop\/b.txt"
      }
    ],
    "skippedCount" : 2,
    "trigger" : "manual",
    "undone" : false
  },
  {
    "date" : "2025-03-06T18:00:00Z",
    "errors" : [],
    "id" : "66666666-7777-4888-9999-AAAAAAAAAAAA",
    "moved" : [],
    "skippedCount" : 0,
    "trigger" : "scheduled",
    "undone" : true
  }
])json");

    // What comes back differs from what went in only by the dropped half second.
    const std::vector<CleanRecord> reloaded = HistoryStore(folder()).records();
    EXPECT_EQ(reloaded[0], newer);
    EXPECT_NE(reloaded[1], older);
    older.date = sys_days{2025y / March / 6} + 18h;
    EXPECT_EQ(reloaded[1], older);
}

TEST_F(HistoryStoreTest, PathsThatAreNotUtf8SurviveASaveAndALoad) {
    CleanRecord run = record(1, 0);
    run.moved.push_back({Uuid::random(), std::string("/home/ana/Desktop/caf\xE9.txt"),
                         std::string("/home/ana/Documents/Desktop Archive/\xFF\xFE/caf\xE9.txt")});
    run.moved.push_back({Uuid::random(), "/home/ana/Desktop/plain \u00E9", "/a/plain \u00E9"});
    HistoryStore(folder()).add(run);

    EXPECT_EQ(HistoryStore(folder()).records(), std::vector<CleanRecord>{run});
}

TEST_F(HistoryStoreTest, AFolderThatRefusesWritesKeepsTheOldFileAndTheRecordsInMemory) {
    HistoryStore store(folder());
    const CleanRecord first = record(1);
    store.add(first);
    const std::string before = contents(file());

    ImmutableFolder immutable(folder());
    if (!immutable.done())
        GTEST_SKIP() << "chattr +i is not available here";
    int changes = 0;
    QObject::connect(&store, &HistoryStore::recordsChanged, [&] { ++changes; });
    const CleanRecord second = record(2);
    store.add(second);
    store.markUndone(first.id);

    EXPECT_EQ(changes, 2);
    ASSERT_EQ(store.records().size(), 2u);
    EXPECT_EQ(store.records()[0].id, second.id);
    EXPECT_TRUE(store.records()[1].undone);
    EXPECT_EQ(contents(file()), before);
    EXPECT_EQ(entries(folder()), std::vector<fs::path>{"history.json"});
}

TEST_F(HistoryStoreTest, AnUnreadableFileIsNotOverwrittenWhenItCannotBeKeptAside) {
    m_home.writeFile("data/history.json", "garbage");
    HistoryStore store(folder());
    {
        ImmutableFolder immutable(folder());
        if (!immutable.done())
            GTEST_SKIP() << "chattr +i is not available here";
        store.add(record(1));
        EXPECT_EQ(contents(file()), "garbage");
    }
    // Once the folder accepts writes again, the next save keeps the bytes and goes ahead.
    store.add(record(2));
    EXPECT_EQ(contents(folder() / "history.json.unreadable"), "garbage");
    EXPECT_EQ(onDisk(store).size(), 2u);
}

TEST_F(HistoryStoreTest, AFolderThatCannotExistLeavesTheHistoryInMemory) {
    m_home.writeFile("taken", "a file, not a folder");
    HistoryStore store(m_home / "taken/Sorvane");
    store.add(record(1));
    store.add(record(2));
    EXPECT_EQ(store.records().size(), 2u);
    EXPECT_EQ(contents(m_home / "taken"), "a file, not a folder");
}

TEST_F(HistoryStoreTest, AFolderRemovedWhileRunningIsMadeAgainAtTheNextSave) {
    HistoryStore store(folder());
    fs::remove_all(folder());
    store.add(record(1));
    EXPECT_EQ(onDisk(store).size(), 1u);
}

} // namespace
} // namespace sorvane
