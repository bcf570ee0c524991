// SPDX-License-Identifier: MIT
#include "settings/json_preferences_store.h"
#include "settings_test_home.h"
#include "support/small_tmpfs.h"

#include <functional>
#include <optional>

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::ImmutableFolder;

class JsonPreferencesStoreTest : public test::SettingsTestHome {
protected:
    void writePreferences(const std::string& text) {
        m_home.writeFile(".config/Sorvane/preferences.json", text);
    }
};

TEST_F(JsonPreferencesStoreTest, LivesInTheUsersConfigFolder) {
    EXPECT_EQ(JsonPreferencesStore::defaultFile(), preferencesFile());
    m_environment.set("XDG_CONFIG_HOME", (m_home / "conf").string());
    EXPECT_EQ(JsonPreferencesStore::defaultFile(), m_home / "conf/Sorvane/preferences.json");
}

TEST_F(JsonPreferencesStoreTest, WritesEachTypeInItsTypedFormAndReadsItBack) {
    const QDateTime date =
        QDateTime::fromString("2025-03-07T10:15:00.123+01:00", Qt::ISODateWithMs);
    {
        JsonPreferencesStore store(preferencesFile());
        store.setString("path", "/home/ana/Documents/Desktop Archive");
        store.setInteger("hour", -14);
        store.setBoolean("on", true);
        store.setData("bytes", QByteArray("\x00\xFF bookmark", 11));
        store.setDate("when", date);
        EXPECT_EQ(store.object("hour"), PreferenceValue(qint64{-14}));
    }
    EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({
        "path": "/home/ana/Documents/Desktop Archive",
        "hour": -14,
        "on": true,
        "bytes": {"data": "AP8gYm9va21hcms="},
        "when": {"date": "2025-03-07T09:15:00.123Z"}
    })"));

    const JsonPreferencesStore reread(preferencesFile());
    EXPECT_EQ(reread.string("path"), "/home/ana/Documents/Desktop Archive");
    EXPECT_EQ(reread.object("hour"), PreferenceValue(qint64{-14}));
    EXPECT_TRUE(reread.boolean("on"));
    EXPECT_EQ(reread.data("bytes"), QByteArray("\x00\xFF bookmark", 11));
    const auto when = reread.object("when");
    ASSERT_TRUE(when && std::holds_alternative<QDateTime>(*when));
    EXPECT_EQ(std::get<QDateTime>(*when), date);
    EXPECT_EQ(std::get<QDateTime>(*when).timeSpec(), Qt::UTC);
}

TEST_F(JsonPreferencesStoreTest, ValuesOfAnotherTypeAreUnusable) {
    writePreferences(R"({
        "number": "14", "float": 14.0, "huge": 18446744073709551615, "text": 7,
        "flag": "true", "zero": 0, "null": null, "list": [1],
        "badData": {"data": "not base64!"}, "dataPlus": {"data": "AA==", "more": 1},
        "localDate": {"date": "2025-03-07T09:15:00"}, "badDate": {"date": "yesterday"},
        "secondsDate": {"date": "2025-03-07T09:15:00Z"}
    })");
    const JsonPreferencesStore store(preferencesFile());
    EXPECT_EQ(store.object("number"), PreferenceValue(QString("14")));
    for (const char* key : {"float", "huge", "null", "list", "badData", "dataPlus", "localDate",
                            "badDate", "missing"})
        EXPECT_FALSE(store.object(key)) << key;
    EXPECT_FALSE(store.string("text"));
    EXPECT_FALSE(store.boolean("flag"));
    EXPECT_FALSE(store.boolean("zero"));
    EXPECT_FALSE(store.data("number"));
    // Whole seconds are still a date, so a hand-edited file is not punished for them.
    EXPECT_EQ(store.object("secondsDate"),
              PreferenceValue(QDateTime(QDate(2025, 3, 7), QTime(9, 15), Qt::UTC)));
}

TEST_F(JsonPreferencesStoreTest, KeepsKeysItDoesNotKnowAndRemovesOnlyWhatItIsTold) {
    writePreferences(R"({"updater.lastCheck": {"date": "2025-01-01T00:00:00.000Z"},
                         "someday": {"nested": [1, 2, {"x": null}]}, "lastRun": 5})");
    JsonPreferencesStore store(preferencesFile());
    store.setBoolean("agentEnabled", true);
    store.remove("lastRun");
    EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({
        "updater.lastCheck": {"date": "2025-01-01T00:00:00.000Z"},
        "someday": {"nested": [1, 2, {"x": null}]}, "agentEnabled": true})"));
}

TEST_F(JsonPreferencesStoreTest, AFileThatIsNotAnObjectIsKeptAsideAtTheFirstWrite) {
    for (const std::string& damaged : {std::string("{\"runHour\": 14,"), std::string("[1, 2]"),
                                       std::string("{\"name\": \"caf\xE9\"}")}) {
        writePreferences(damaged);
        JsonPreferencesStore store(preferencesFile());
        EXPECT_FALSE(store.object("runHour"));
        EXPECT_EQ(contents(preferencesFile()), damaged);
        store.setInteger("runHour", 7);
        store.setInteger("runMinute", 30);
        EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({"runHour": 7, "runMinute": 30})"));
    }
    const fs::path folder = preferencesFile().parent_path();
    EXPECT_EQ(contents(folder / "preferences.json.unreadable"), "{\"runHour\": 14,");
    EXPECT_EQ(contents(folder / "preferences.json.unreadable.2"), "[1, 2]");
    EXPECT_EQ(contents(folder / "preferences.json.unreadable.3"), "{\"name\": \"caf\xE9\"}");
}

TEST_F(JsonPreferencesStoreTest, AValueNestedBeyondReasonMakesOnlyItsKeyUnusable) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    writePreferences(R"({"runHour": )" + deep + R"(, "runMinute": 30, "someday": )" + deep +
                     R"(, "kept": {"a": [1]}})");
    JsonPreferencesStore store(preferencesFile());
    EXPECT_FALSE(store.object("runHour"));
    EXPECT_EQ(store.object("runMinute"), PreferenceValue(qint64{30}));
    store.setInteger("runHour", 7); // writing back walks no deep value
    EXPECT_EQ(readJson(preferencesFile()),
              json::parse(R"({"runHour": 7, "runMinute": 30, "kept": {"a": [1]}})"));
    EXPECT_FALSE(fs::exists(preferencesFile().string() + ".unreadable"));

    // A number beyond a double's range cannot be read around: the file as a whole is unusable.
    writePreferences(R"({"runHour": 1e400, "runMinute": 30})");
    JsonPreferencesStore overflowing(preferencesFile());
    EXPECT_FALSE(overflowing.object("runMinute"));
}

TEST_F(JsonPreferencesStoreTest, ALinkedFileIsWrittenThroughAndStaysALink) {
    const fs::path target = m_home.writeFile("dotfiles/preferences.json", R"({"runHour": 8})");
    fs::create_directories(preferencesFile().parent_path());
    fs::create_symlink(target, preferencesFile());
    JsonPreferencesStore store(preferencesFile());
    store.setInteger("runMinute", 5);
    EXPECT_TRUE(fs::is_symlink(preferencesFile()));
    EXPECT_EQ(readJson(target), json::parse(R"({"runHour": 8, "runMinute": 5})"));
}

TEST_F(JsonPreferencesStoreTest, AWriteThatFailsKeepsTheValueAndTheOldFile) {
    const fs::path folder = preferencesFile().parent_path();
    test::SmallTmpfs disk(folder);
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    std::optional<ImmutableFolder> immutable;
    struct Case {
        const char* name;
        std::function<bool()> breakIt;
        std::function<void()> mendIt;
    };
    const Case cases[] = {
        {"a full disk", [&] { return disk.fill(), true; },
         [&] {
             disk.empty();
         }},
        {"a folder in the file's place",
         [&] { return fs::remove(preferencesFile()) && fs::create_directory(preferencesFile()); },
         [&] {
             fs::remove(preferencesFile());
         }},
        {"an immutable folder", [&] { return immutable.emplace(folder).done(); },
         [&] {
             immutable.reset();
         }},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        writePreferences(R"({"runHour": 8})");
        JsonPreferencesStore store(preferencesFile());
        if (!entry.breakIt()) {
            ADD_FAILURE() << "could not make the fault";
            continue;
        }
        store.setInteger("runHour", 10);
        EXPECT_EQ(store.object("runHour"), PreferenceValue(qint64{10}));
        entry.mendIt();
        store.setInteger("runMinute", 5);
        EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({"runHour": 10, "runMinute": 5})"));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "no temporary file";
    }
}

} // namespace
} // namespace sorvane
