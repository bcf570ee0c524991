// SPDX-License-Identifier: MIT
#include "history/canonical_record_reader.h"
#include "history/history_store.h"
#include "platform/durable_file.h"
#include "record/clean_record_json.h"
#include "support/immutable_folder.h"
#include "support/known_history.h"
#include "support/scoped_environment.h"
#include "support/small_tmpfs.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

CleanRecord record(int number, std::size_t movedCount = 1, bool undone = false) {
    CleanRecord result;
    result.id = Uuid::random();
    result.date = sys_days{2025y / March / 1} + hours(number);
    for (std::size_t i = 0; i < movedCount; ++i)
        result.moved.push_back({Uuid::random(), "/home/ana/Desktop/f" + std::to_string(i),
                                "/home/ana/Documents/Desktop Archive/f" + std::to_string(i)});
    result.skippedCount = number;
    result.undone = undone;
    return result;
}

std::string contents(const fs::path& file) {
    const auto bytes = DurableFile::read(file);
    return bytes ? *bytes : "<unreadable>";
}

std::size_t entryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

class HistoryStoreTest : public ::testing::Test {
protected:
    HistoryStoreTest() {
        m_environment.set("HOME", m_home.path().string());
        m_environment.unset("XDG_DATA_HOME");
        m_environment.unset("XDG_RUNTIME_DIR");
    }

    std::vector<CleanRecord> onDisk() const { return onDiskIn(folder()); }
    static std::vector<CleanRecord> onDiskIn(const fs::path& folder) {
        return CleanRecordJson::decode(contents(folder / "history.json"))
            .value_or(std::vector<CleanRecord>{});
    }
    void writeFile(const std::string& text) const { m_home.writeFile("data/history.json", text); }

    fs::path folder() const { return m_home / "data"; }
    fs::path file() const { return folder() / "history.json"; }

    test::TempDir m_home;
    test::ScopedEnvironment m_environment;
};

TEST_F(HistoryStoreTest, StartsEmptyAndWritesOnlyWhenSomethingChanges) {
    EXPECT_EQ(HistoryStore().fileURL(), m_home / ".local/share/Sorvane/history.json");
    EXPECT_TRUE(fs::is_directory(m_home / ".local/share/Sorvane"));

    HistoryStore store(folder());
    EXPECT_TRUE(store.records().empty());
    EXPECT_FALSE(fs::exists(file()));

    // Observers hear of a change once the file holds it; unknown runs change nothing.
    std::vector<std::size_t> onDiskAtSignal;
    QObject::connect(&store, &HistoryStore::recordsChanged,
                     [&] { onDiskAtSignal.push_back(onDisk().size()); });
    const CleanRecord run = record(1);
    store.add(run);
    store.markUndone(Uuid::random());
    store.recordPartialUndo(Uuid::random(), {});
    EXPECT_EQ(onDisk(), std::vector<CleanRecord>{run});
    EXPECT_EQ(onDiskAtSignal, std::vector<std::size_t>{1});
    EXPECT_EQ(entryCount(folder()), 1u);
}

TEST_F(HistoryStoreTest, KeepsAnUndecodableFileAsideBeforeTheFirstOverwrite) {
    writeFile("{ this is not a history");
    {
        HistoryStore store(folder());
        EXPECT_TRUE(store.records().empty());
        EXPECT_EQ(contents(file()), "{ this is not a history");
        store.add(record(1));
        store.add(record(2));
        EXPECT_EQ(onDisk().size(), 2u);
    }
    // A second damaged file never replaces the one kept aside before.
    writeFile("[{}]");
    HistoryStore store(folder());
    store.add(record(3));
    EXPECT_EQ(onDisk().size(), 1u);
    EXPECT_EQ(contents(folder() / "history.json.unreadable"), "{ this is not a history");
    EXPECT_EQ(contents(folder() / "history.json.unreadable.2"), "[{}]");
    EXPECT_EQ(entryCount(folder()), 3u);
}

TEST_F(HistoryStoreTest, FractionalSecondsRejectTheWholeFile) {
    std::string text = CleanRecordJson::encode({record(1), record(2)});
    text.insert(text.rfind("Z\""), ".250");
    writeFile(text);
    EXPECT_TRUE(HistoryStore(folder()).records().empty());
    EXPECT_EQ(contents(file()), text);
}

TEST_F(HistoryStoreTest, KeepsTheSixtyNewestRunsButLoadsLongerFilesWhole) {
    HistoryStore store(folder());
    std::vector<CleanRecord> added;
    for (int i = 0; i < 61; ++i) {
        added.push_back(record(i));
        store.add(added.back());
    }
    ASSERT_EQ(store.records().size(), 60u);
    EXPECT_EQ(store.records().front(), added[60]);
    EXPECT_EQ(store.records().back(), added[1]);
    EXPECT_EQ(onDisk(), store.records());

    std::vector<CleanRecord> written;
    for (int i = 0; i < 100; ++i)
        written.push_back(record(i % 2 ? i : 100 - i));
    writeFile(CleanRecordJson::encode(written));
    HistoryStore longer(folder());
    EXPECT_EQ(longer.records(), written);
    longer.add(added[0]);
    ASSERT_EQ(onDisk().size(), 60u);
    EXPECT_EQ(onDisk()[0], added[0]);
    EXPECT_TRUE(std::equal(written.begin(), written.begin() + 59, onDisk().begin() + 1));
}

TEST_F(HistoryStoreTest, UndoBookkeeping) {
    HistoryStore store(folder());
    EXPECT_FALSE(store.lastUndoable());
    const CleanRecord run = record(1, 3);
    store.add(run);
    store.add(record(2, 0));
    store.add(record(3, 2, true));
    EXPECT_EQ(store.lastUndoable(), RunSummary::of(run));

    const std::vector<MovedFile> stayed{run.moved[1]};
    store.recordPartialUndo(run.id, stayed);
    EXPECT_EQ(HistoryStore(folder()).records()[2].moved, stayed);
    EXPECT_FALSE(store.records()[2].undone);
    EXPECT_EQ(store.record(store.lastUndoable()->id)->moved, stayed);

    store.recordPartialUndo(run.id, {});
    EXPECT_TRUE(HistoryStore(folder()).records()[2].undone);
    EXPECT_TRUE(store.records()[2].moved.empty());
    EXPECT_FALSE(store.lastUndoable());

    const CleanRecord next = record(4);
    store.add(next);
    store.markUndone(next.id);
    EXPECT_TRUE(HistoryStore(folder()).records()[0].undone);
    EXPECT_EQ(store.records()[0].moved, next.moved);

    store.clear();
    EXPECT_EQ(contents(file()), "[]");
    EXPECT_TRUE(HistoryStore(folder()).records().empty());
}

TEST_F(HistoryStoreTest, WritesTheKnownFormByteForByte) {
    auto known = test::knownHistory();
    known[1].date += 500ms;
    HistoryStore store(folder());
    store.add(known[1]);
    store.add(known[0]);
    EXPECT_EQ(contents(file()), test::knownHistoryJson);
    // Only the half second is lost on the way back.
    known[1].date -= 500ms;
    EXPECT_EQ(HistoryStore(folder()).records(), known);
}

TEST_F(HistoryStoreTest, PathsThatAreNotUtf8SurviveASaveAndALoad) {
    CleanRecord run = record(1, 0);
    run.moved.push_back({Uuid::random(), "/home/ana/Desktop/caf\xE9.txt",
                         "/home/ana/Archive/\xFF\xFE/caf\xE9.txt"});
    run.moved.push_back({Uuid::random(), "/home/ana/Desktop/caf\u00E9", "/a/caf\u00E9"});
    HistoryStore(folder()).add(run);
    EXPECT_EQ(HistoryStore(folder()).records(), std::vector<CleanRecord>{run});
}

TEST(CanonicalRecordReaderTest, ReadsEveryKindOfByteAtEveryPlaceInAWord) {
    // The reader skips plain text eight bytes at a time: whatever lies where in a word must
    // still stop it. Escapes and UTF-8 read in one pass; a raw control character, which no
    // writer leaves, is refused.
    for (std::size_t at = 0; at < 18; ++at) {
        for (const std::string special : {"\"", "\\", "/", "\u00E9"}) {
            CleanRecord run = record(1, 1);
            run.moved[0].originalPath = std::string(at, 'a') + special + "bcdefghijklmnop";
            const auto read = CanonicalRecordReader::readWhole(CleanRecordJson::encodeRecord(run));
            ASSERT_TRUE(read) << special << " at " << at;
            EXPECT_EQ(*read, run) << special << " at " << at;
        }
        CleanRecord run = record(1, 1);
        run.moved[0].originalPath = std::string(at, 'a') + "~bcdefghijklmnop";
        std::string text = CleanRecordJson::encodeRecord(run);
        ASSERT_EQ(std::count(text.begin(), text.end(), '~'), 1);
        text[text.find('~')] = '\x07';
        EXPECT_FALSE(CanonicalRecordReader::readWhole(text)) << "control character at " << at;
    }
}

TEST_F(HistoryStoreTest, ASaveThatFailsSaysWhyAndTheRecordsLiveOnInMemory) {
    test::SmallTmpfs disk(m_home / "disk");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    std::optional<test::ImmutableFolder> immutable;
    struct Case {
        const char* name;
        fs::path folder;
        std::function<bool()> breakIt;
        std::function<void()> mendIt;
    };
    const fs::path placed = m_home / "placed";
    const fs::path frozen = m_home / "frozen";
    const std::vector<Case> cases = {
        {"a folder in the file's place", placed,
         [&] {
             return fs::remove(placed / "history.json") &&
                    fs::create_directory(placed / "history.json");
         },
         [&] {
             fs::remove(placed / "history.json");
         }},
        {"a full disk", disk.path(), [&] { return disk.fill(), true; },
         [&] {
             disk.empty();
         }},
        {"an immutable folder", frozen, [&] { return immutable.emplace(frozen).done(); },
         [&] {
             immutable.reset();
         }},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        HistoryStore store(entry.folder);
        const CleanRecord first = record(1);
        ASSERT_TRUE(store.add(first));
        const std::string before = contents(store.fileURL());
        if (!entry.breakIt()) {
            ADD_FAILURE() << "could not make the fault";
            continue;
        }
        const FileStatus added = store.add(record(2));
        ASSERT_FALSE(added);
        EXPECT_FALSE(store.markUndone(first.id));
        ASSERT_TRUE(store.saveError());
        EXPECT_EQ(store.records().size(), 2u);
        EXPECT_TRUE(store.records()[1].undone);
        EXPECT_FALSE(store.isStored(store.records()[0].id));
        entry.mendIt();
        if (entry.name != cases[0].name) {
            EXPECT_EQ(contents(store.fileURL()), before);
        }
        // The next change takes what lives in memory to the disk.
        EXPECT_TRUE(store.recordPartialUndo(first.id, {}));
        EXPECT_FALSE(store.saveError());
        EXPECT_EQ(onDiskIn(entry.folder).size(), 2u);
    }
    m_home.writeFile("taken", "a file, not a folder");
    HistoryStore nowhere(m_home / "taken/Sorvane");
    EXPECT_FALSE(nowhere.add(record(3)));
    EXPECT_EQ(nowhere.records().size(), 1u);
    EXPECT_EQ(contents(m_home / "taken"), "a file, not a folder");
}

TEST_F(HistoryStoreTest, AFileReplacedByAnotherProcessIsReadAgainBeforeAChange) {
    HistoryStore mine(folder());
    HistoryStore theirs(folder());
    const CleanRecord ours = record(1);
    mine.add(ours);
    theirs.add(record(2)); // read again first: ours survives
    EXPECT_EQ(onDisk().size(), 2u);
    mine.markUndone(ours.id);
    ASSERT_EQ(onDisk().size(), 2u) << "the stale copy in memory did not win";
    EXPECT_TRUE(onDisk()[1].undone);
    EXPECT_TRUE(mine.isStored(ours.id));
}

TEST_F(HistoryStoreTest, FilesNoReaderCouldWalkAreUnreadableNotFatal) {
    const std::string valid = CleanRecordJson::encode({record(1)});
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& text :
         {std::string("[{\"skippedCount\": 1e400}]"), std::string("[-1e400]"), deep,
          valid.substr(0, valid.size() - 1) + ", " + deep + "]",
          std::string("[{\"id\": 18446744073709551616e300}]")}) {
        fs::remove_all(folder());
        writeFile(text);
        HistoryStore store(folder());
        EXPECT_TRUE(store.records().empty()) << text.substr(0, 40);
        ASSERT_TRUE(store.add(record(2)));
        EXPECT_EQ(contents(folder() / "history.json.unreadable"), text);
        EXPECT_EQ(onDisk().size(), 1u);
    }
}

TEST_F(HistoryStoreTest, ReadsWhatTheStrictReaderReadsAndWritesOtherFormsAgainOnce) {
    CleanRecord odd = record(1, 2);
    odd.moved[1].newPath = "/home/ana/Archive/caf\xE9.txt";
    odd.errors = {"a \"quoted\" name, a bell \x07 and \u201Cnotes\u201D"};
    const CleanRecord plain = record(2, 3);
    const std::string written = CleanRecordJson::encode({plain, odd});
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = written;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    std::string lowerId = plain.id.toString();
    std::transform(lowerId.begin(), lowerId.end(), lowerId.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    const std::pair<const char*, std::string> cases[] = {
        {"as written", written},
        {"another spacing", replaced("\"skippedCount\" : ", "\"skippedCount\":")},
        {"slashes not escaped", replaced(R"(\/home\/ana\/Desktop\/f0)", "/home/ana/Desktop/f0")},
        {"a lower-case id", replaced(plain.id.toString(), lowerId)},
        {"an extra key", replaced("\"undone\" : false", "\"note\" : 1,\n    \"undone\" : false")},
        {"space around the array", " \n" + written + "\n\t"},
        {"a byte-order mark", "\xEF\xBB\xBF" + written},
        {"an item id that is not a UUID", replaced(plain.moved[2].id.toString(), "not-a-uuid")},
        {"a path that is not UTF-8 as text", replaced("f1\"", "f1\xFF\"")},
        {"a date with a fraction", replaced("Z\"", ".5Z\"")},
        {"text after the array", written + " x"},
        {"a record that is a number", "[1, " + written.substr(1)},
        {"a missing comma", replaced("},\n  {", "}\n  {")},
    };
    for (const auto& [what, text] : cases) {
        fs::remove_all(folder());
        writeFile(text);
        const auto expected = CleanRecordJson::decode(text);
        HistoryStore store(folder());
        if (!expected) {
            EXPECT_TRUE(store.runs().empty()) << what;
            continue;
        }
        ASSERT_EQ(store.records(), *expected) << what;
        ASSERT_EQ(store.runs().size(), 2u) << what;
        EXPECT_EQ(store.runs()[1], RunSummary::of((*expected)[1])) << what;
        std::vector<CleanRecord> all{record(3)};
        ASSERT_TRUE(store.add(all[0])) << what;
        all.insert(all.end(), expected->begin(), expected->end());
        EXPECT_EQ(contents(file()), CleanRecordJson::encode(all)) << what << ": the one form";
        EXPECT_EQ(HistoryStore(folder()).records(), all) << what;
    }
}

TEST_F(HistoryStoreTest, ARunsItemsComeOnlyFromTheVersionItsSummaryWasReadFrom) {
    const CleanRecord first = record(1, 3);
    HistoryStore(folder()).add(first);
    HistoryStore mine(folder());
    HistoryStore(folder()).add(record(2, 5));
    EXPECT_EQ(mine.record(first.id), first) << "the file was replaced, not changed";

    // Rewritten in place by hand: the places read before point into other text now.
    HistoryStore current(folder());
    const CleanRecord other = record(3, 4);
    std::ofstream(file(), std::ios::binary | std::ios::trunc)
        << CleanRecordJson::encode({other, first});
    EXPECT_EQ(current.record(first.id).value_or(first), first) << "never another run's items";
    ASSERT_TRUE(current.markUndone(first.id));
    EXPECT_EQ(onDisk()[0], other);
    EXPECT_TRUE(onDisk()[1].undone);
    EXPECT_EQ(onDisk()[1].moved, first.moved);
}

TEST_F(HistoryStoreTest, ALinkedFileIsWrittenThroughAndStaysALink) {
    m_home.writeFile("dotfiles/history.json", "garbage");
    fs::create_directories(folder());
    fs::create_symlink(m_home / "dotfiles/history.json", file());
    HistoryStore store(folder());
    ASSERT_TRUE(store.add(record(1)));
    EXPECT_TRUE(fs::is_symlink(file()));
    EXPECT_EQ(onDisk().size(), 1u);
    EXPECT_EQ(contents(m_home / "dotfiles/history.json.unreadable"), "garbage");
    EXPECT_EQ(fs::status(m_home / "dotfiles/history.json").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(HistoryStoreTest, AnUnreadableFileIsNotOverwrittenBeforeItIsKeptAside) {
    writeFile("garbage");
    HistoryStore store(folder());
    {
        test::ImmutableFolder immutable(folder());
        if (!immutable.done())
            GTEST_SKIP() << "chattr +i is not available here";
        store.add(record(1));
        EXPECT_EQ(contents(file()), "garbage");
    }
    store.add(record(2));
    EXPECT_EQ(contents(folder() / "history.json.unreadable"), "garbage");
    EXPECT_EQ(onDisk().size(), 2u);
}

} // namespace
} // namespace sorvane
