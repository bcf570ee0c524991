// SPDX-License-Identifier: MIT
#include "fakes/memory_preferences_store.h"
#include "platform/folder_bookmark.h"
#include "settings/app_settings.h"
#include "settings/json_preferences_store.h"
#include "settings_test_home.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class AppSettingsTest : public test::SettingsTestHome {
protected:
    void writePreferences(const json& values) {
        m_home.writeFile(".config/Sorvane/preferences.json", values.dump());
    }

    static std::string base64(const std::string& bytes) {
        return QByteArray::fromStdString(bytes).toBase64().toStdString();
    }
};

TEST_F(AppSettingsTest, AFreshStoreGivesTheDefaults) {
    m_home.writeFile(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    JsonPreferencesStore store(preferencesFile());
    const AppSettings settings(store);

    const fs::path archive = m_home / "Dokumente/Desktop Archive";
    EXPECT_EQ(settings.destinationPath(), QString::fromStdString(archive.string()));
    EXPECT_EQ(settings.resolvedDestination(), archive);
    EXPECT_FALSE(settings.destinationBookmark());
    EXPECT_FALSE(settings.agentEnabled());
    EXPECT_EQ(settings.frequency(), ScheduleFrequency::daily);
    EXPECT_EQ(settings.runHour(), 9);
    EXPECT_EQ(settings.runMinute(), 0);
    EXPECT_EQ(settings.weekday(), 2);
    EXPECT_TRUE(settings.showNotifications());
    EXPECT_FALSE(settings.lastRun());
    EXPECT_EQ(settings.cleanOptions(),
              (CleanOptions{archive, GroupingStyle::month, DateBasis::created, 0, false, true, true,
                            std::nullopt}));
    EXPECT_EQ(settings.scheduleDescription(), "Every day at 9:00\u202FAM");
    // Reading writes nothing, and makes no archive folder.
    EXPECT_FALSE(fs::exists(preferencesFile()));
    EXPECT_FALSE(fs::exists(archive));

    m_home.writeFile(".config/user-dirs.dirs", "");
    MemoryPreferencesStore empty;
    EXPECT_EQ(AppSettings(empty).resolvedDestination(), m_home / "Documents/Desktop Archive");
}

TEST_F(AppSettingsTest, StoredValuesOfTheWrongTypeOrSpellingGiveTheDefaults) {
    writePreferences({{"moveFolders", false},
                      {"runHour", "14"},
                      {"runMinute", 30.0},
                      {"weekday", 6},
                      {"grouping", "Month"},
                      {"dateBasis", "modified"},
                      {"frequency", "Weekly"},
                      {"keepTaggedFiles", 0},
                      {"agentEnabled", "yes"},
                      {"showNotifications", false},
                      {"lastRun", "2025-03-07T09:15:00Z"},
                      {"destinationPath", 42}});
    JsonPreferencesStore store(preferencesFile());
    AppSettings settings(store);
    EXPECT_FALSE(settings.moveFolders());
    EXPECT_FALSE(settings.includeHidden());
    EXPECT_EQ(settings.runHour(), 9);
    EXPECT_EQ(settings.runMinute(), 0);
    EXPECT_EQ(settings.weekday(), 6);
    EXPECT_EQ(settings.grouping(), GroupingStyle::month);
    EXPECT_EQ(settings.dateBasis(), DateBasis::modified);
    EXPECT_EQ(settings.frequency(), ScheduleFrequency::daily);
    EXPECT_TRUE(settings.keepTaggedFiles());
    EXPECT_FALSE(settings.agentEnabled());
    EXPECT_FALSE(settings.showNotifications());
    EXPECT_FALSE(settings.lastRun());
    EXPECT_EQ(settings.resolvedDestination(), m_home / "Documents/Desktop Archive");

    writePreferences({{"grouping", "day"},
                      {"includeHidden", true},
                      {"keepRecentDays", -3},
                      {"lastRun", {{"date", "2025-03-07T09:15:00.250Z"}}}});
    JsonPreferencesStore other(preferencesFile());
    AppSettings second(other);
    EXPECT_EQ(second.grouping(), GroupingStyle::day);
    EXPECT_TRUE(second.includeHidden());
    EXPECT_TRUE(second.moveFolders());
    EXPECT_EQ(second.keepRecentDays(), -3);
    EXPECT_EQ(second.cleanOptions().keepRecentDays, -3);
    EXPECT_EQ(second.lastRun(),
              QDateTime(QDate(2025, 3, 7), QTime(9, 15, 0, 250), Qt::UTC).toLocalTime());
}

TEST_F(AppSettingsTest, EachSetterWritesItsOwnKeyAtOnce) {
    JsonPreferencesStore store(preferencesFile());
    AppSettings settings(store);
    std::vector<SettingKey> changes;
    QObject::connect(&settings, &AppSettings::changed, [&](SettingKey key) {
        // The new value is already stored when observers hear of it.
        if (changes.empty()) {
            EXPECT_EQ(readJson(preferencesFile())["runHour"], 17);
        }
        changes.push_back(key);
    });

    settings.setRunHour(17);
    EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({"runHour": 17})"));

    settings.setDestinationPath("/srv/archive");
    settings.setDestinationBookmark(QByteArray("\x01\x02", 2));
    settings.setGrouping(GroupingStyle::day);
    settings.setDateBasis(DateBasis::cleaned);
    settings.setAgentEnabled(true);
    settings.setFrequency(ScheduleFrequency::weekly);
    settings.setRunMinute(45);
    settings.setWeekday(0);
    settings.setKeepRecentDays(3);
    settings.setIncludeHidden(true);
    settings.setMoveFolders(false);
    settings.setKeepTaggedFiles(false);
    settings.setShowNotifications(false);
    settings.setLastRun(QDateTime(QDate(2025, 3, 7), QTime(10, 15, 0, 5), Qt::OffsetFromUTC, 3600));
    settings.setHasCompletedSetup(true);
    EXPECT_EQ(readJson(preferencesFile()), json::parse(R"({
        "destinationPath": "/srv/archive",
        "destinationBookmark": {"data": "AQI="},
        "grouping": "day", "dateBasis": "cleaned", "frequency": "weekly",
        "agentEnabled": true, "includeHidden": true, "moveFolders": false,
        "keepTaggedFiles": false, "showNotifications": false, "hasCompletedSetup": true,
        "runHour": 17, "runMinute": 45, "weekday": 0, "keepRecentDays": 3,
        "lastRun": {"date": "2025-03-07T09:15:00.005Z"}
    })"));
    using enum SettingKey;
    EXPECT_EQ(changes, (std::vector{runHour, destinationPath, destinationBookmark, grouping,
                                    dateBasis, agentEnabled, frequency, runMinute, weekday,
                                    keepRecentDays, includeHidden, moveFolders, keepTaggedFiles,
                                    showNotifications, lastRun, hasCompletedSetup}));
    // The archive in effect changes only with the folder chooser.
    EXPECT_EQ(settings.resolvedDestination(), m_home / "Documents/Desktop Archive");
    settings.setResolvedDestination("/srv/archive");
    EXPECT_EQ(settings.cleanOptions(),
              (CleanOptions{"/srv/archive", GroupingStyle::day, DateBasis::cleaned, 3, true, false,
                            false, settings.destinationBookmark()->toStdString()}));

    settings.setLastRun(std::nullopt);
    settings.setDestinationBookmark(std::nullopt);
    const json after = readJson(preferencesFile());
    EXPECT_FALSE(after.contains("lastRun"));
    EXPECT_FALSE(after.contains("destinationBookmark"));
    EXPECT_EQ(after.size(), 14u);

    JsonPreferencesStore reread(preferencesFile());
    const AppSettings reloaded(reread);
    EXPECT_EQ(reloaded.weekday(), 0);
    EXPECT_FALSE(reloaded.moveFolders());
    EXPECT_EQ(reloaded.frequency(), ScheduleFrequency::weekly);
}

TEST_F(AppSettingsTest, ABookmarkFollowsARenamedOrMovedArchiveAndIsRenewed) {
    const fs::path archive = m_home.makeFolder("Documents/Desktop Archive");
    const std::string bookmark = *FolderBookmark::create(archive);
    writePreferences({{"destinationPath", archive.string()},
                      {"destinationBookmark", {{"data", base64(bookmark)}}}});
    const std::string before = contents(preferencesFile());
    {
        JsonPreferencesStore store(preferencesFile());
        EXPECT_EQ(AppSettings(store).resolvedDestination(), archive);
        EXPECT_EQ(contents(preferencesFile()), before);
    }

    fs::path previous = archive;
    for (const fs::path& now : {m_home / "Documents/Old Desktop", m_home / "Backup/2025/Archive"}) {
        fs::create_directories(now.parent_path());
        fs::rename(previous, now);
        previous = now;
        JsonPreferencesStore store(preferencesFile());
        const AppSettings settings(store);
        EXPECT_EQ(settings.resolvedDestination(), now);
        EXPECT_EQ(settings.destinationPath(), QString::fromStdString(now.string()));

        const json stored = readJson(preferencesFile());
        EXPECT_EQ(stored["destinationPath"], now.string());
        const auto renewed = FolderBookmark::resolve(
            QByteArray::fromBase64(QByteArray::fromStdString(stored["destinationBookmark"]["data"]))
                .toStdString());
        ASSERT_TRUE(renewed);
        EXPECT_EQ(renewed->path, now);
        EXPECT_FALSE(renewed->stale);
    }
}

TEST_F(AppSettingsTest, AnArchivePathThatIsNotUtf8IsKeptExactlyByItsBookmark) {
    const fs::path archive = m_home.makeFolder("Ablage \xFF");
    MemoryPreferencesStore store;
    AppSettings chooser(store);
    chooser.setDestinationPath(QString::fromStdString(archive.string()));
    chooser.setDestinationBookmark(QByteArray::fromStdString(*FolderBookmark::create(archive)));
    const int writes = store.writeCount();
    EXPECT_EQ(AppSettings(store).resolvedDestination(), archive);
    EXPECT_EQ(store.writeCount(), writes);
}

TEST_F(AppSettingsTest, ABookmarkThatFailsLeavesTheStoredValuesAlone) {
    const fs::path archive = m_home.makeFolder("Archive");
    const std::string bookmark = *FolderBookmark::create(archive);
    fs::remove(archive);
    for (const std::string& bytes : {bookmark, std::string("not a bookmark")}) {
        writePreferences({{"destinationPath", "/srv/elsewhere"},
                          {"destinationBookmark", {{"data", base64(bytes)}}}});
        const std::string before = contents(preferencesFile());
        JsonPreferencesStore store(preferencesFile());
        const AppSettings settings(store);
        EXPECT_EQ(settings.resolvedDestination(), "/srv/elsewhere");
        EXPECT_EQ(settings.destinationPath(), "/srv/elsewhere");
        EXPECT_EQ(settings.destinationBookmark(), QByteArray::fromStdString(bytes));
        EXPECT_EQ(contents(preferencesFile()), before);
    }
}

TEST_F(AppSettingsTest, ScheduleDescriptionNamesTheTimeAndDayInTheUsersLocale) {
    MemoryPreferencesStore store;
    AppSettings settings(store);
    settings.setFrequency(ScheduleFrequency::weekly);
    EXPECT_EQ(settings.scheduleDescription(), "Every Monday at 9:00\u202FAM");
    settings.setWeekday(0);
    EXPECT_EQ(settings.scheduleDescription(), "Every Sunday at 9:00\u202FAM");
    settings.setWeekday(9);
    settings.setRunHour(14);
    settings.setRunMinute(5);
    EXPECT_EQ(settings.scheduleDescription(), "Every Saturday at 2:05\u202FPM");
    settings.setWeekday(-40);
    EXPECT_EQ(settings.scheduleDescription(), "Every Sunday at 2:05\u202FPM");

    // The time is the wall-clock time wherever the user now is.
    m_environment.set("TZ", "Asia/Kolkata");
    EXPECT_EQ(settings.scheduleDescription(), "Every Sunday at 2:05\u202FPM");

    // The hour cycle follows the formatting locale; the weekday, a word in an English
    // sentence, stays English.
    m_environment.set("LC_ALL", "de_DE.UTF-8");
    settings.setWeekday(2);
    EXPECT_EQ(settings.scheduleDescription(), "Every Monday at 14:05");
    settings.setFrequency(ScheduleFrequency::daily);
    settings.setRunHour(7);
    EXPECT_EQ(settings.scheduleDescription(), "Every day at 07:05");
}

} // namespace
} // namespace sorvane
