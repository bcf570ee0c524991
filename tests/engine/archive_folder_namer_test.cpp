// SPDX-License-Identifier: MIT
#include "engine/archive_folder_namer.h"
#include "engine/grouping_date.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>
#include <vector>

namespace sorvane {
namespace {

using namespace std::chrono;

// Seconds since 1970 for a UTC wall-clock time.
Timestamp utc(int y, unsigned m, unsigned d, int hh = 12, int mm = 0) {
    return sys_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm};
}

class ArchiveFolderNamerTest : public ::testing::Test {
protected:
    void SetUp() override { env.set("TZ", "UTC"); }
    test::ScopedEnvironment env;
};

TEST_F(ArchiveFolderNamerTest, namesMonthAndDayFoldersInTheLocalesLanguage) {
    const ArchiveFolderNamer english(icu::Locale("en_US"));
    EXPECT_EQ(english.name(utc(2025, 3, 7), GroupingStyle::month), "2025-03 March");
    EXPECT_EQ(english.name(utc(2025, 3, 7), GroupingStyle::day), "2025-03-07");

    const ArchiveFolderNamer german(icu::Locale("de_DE"));
    EXPECT_EQ(german.name(utc(2025, 3, 7), GroupingStyle::month), "2025-03 März");
    EXPECT_EQ(german.name(utc(2025, 3, 7), GroupingStyle::day), "2025-03-07");

    // The formatting form of the month, which Russian inflects: "марта", not "март".
    const ArchiveFolderNamer russian(icu::Locale("ru_RU"));
    EXPECT_EQ(russian.name(utc(2025, 3, 7), GroupingStyle::month), "2025-03 марта");
}

TEST_F(ArchiveFolderNamerTest, usesTheCalendarYearNotTheWeekYear) {
    // 1 January 2027 is a Friday in ISO week 53 of 2026.
    const ArchiveFolderNamer english(icu::Locale("en_GB"));
    EXPECT_EQ(english.name(utc(2027, 1, 1), GroupingStyle::month), "2027-01 January");
    EXPECT_EQ(english.name(utc(2027, 1, 1), GroupingStyle::day), "2027-01-01");
    // And the other way round: 30 December 2024 lies in ISO week 1 of 2025.
    EXPECT_EQ(english.name(utc(2024, 12, 30), GroupingStyle::month), "2024-12 December");
}

TEST_F(ArchiveFolderNamerTest, namesTheLocalDateOfTheCurrentTimeZone) {
    const Timestamp newYearsEveLateInBerlin = utc(2024, 12, 31, 22, 30); // 23:30 in Berlin
    env.set("TZ", "Europe/Berlin");
    const ArchiveFolderNamer inBerlin(icu::Locale("en_US"));
    EXPECT_EQ(inBerlin.name(newYearsEveLateInBerlin, GroupingStyle::month), "2024-12 December");
    EXPECT_EQ(inBerlin.name(newYearsEveLateInBerlin, GroupingStyle::day), "2024-12-31");

    env.set("TZ", "Asia/Tokyo");
    const ArchiveFolderNamer inTokyo(icu::Locale("en_US"));
    EXPECT_EQ(inTokyo.name(newYearsEveLateInBerlin, GroupingStyle::month), "2025-01 January");
}

TEST_F(ArchiveFolderNamerTest, followsTheLocaleOfTheEnvironment) {
    env.unset("LC_ALL");
    env.set("LC_TIME", "de_DE.UTF-8");
    env.set("LANG", "en_US.UTF-8");
    EXPECT_EQ(archiveFolderName(utc(2025, 3, 7), GroupingStyle::month), "2025-03 März");
    env.set("LC_ALL", "C");
    EXPECT_EQ(archiveFolderName(utc(2025, 3, 7), GroupingStyle::month), "2025-03 March");
}

TEST_F(ArchiveFolderNamerTest, aNamerAskedForManyDatesNamesEachAsAFreshOneWould) {
    // Across a month's end and a daylight-saving change, forwards and backwards.
    env.set("TZ", "Europe/Berlin");
    const ArchiveFolderNamer namer(icu::Locale("en_US"));
    std::vector<Timestamp> dates;
    for (auto t = utc(2025, 3, 28); t < utc(2025, 4, 2); t += minutes(37))
        dates.push_back(t);
    dates.push_back(utc(2025, 3, 31, 21, 59) + seconds(59)); // 23:59:59 local
    dates.push_back(utc(2025, 3, 31, 22, 0));                // midnight local
    dates.push_back(utc(2025, 3, 29, 23, 0));                // back to 30 March
    for (auto grouping : allGroupingStyles)
        for (const auto date : dates)
            EXPECT_EQ(namer.name(date, grouping),
                      ArchiveFolderNamer(icu::Locale("en_US")).name(date, grouping));
}

TEST(GroupingDateTest, fallsBackFromOneDateToTheOtherAndThenToTheCleanDate) {
    const Timestamp created = utc(2024, 1, 1);
    const Timestamp modified = utc(2024, 6, 1);
    const Timestamp cleaned = utc(2025, 3, 7);
    ResourceValues both;
    both.creationDate = created;
    both.modificationDate = modified;
    ResourceValues onlyModified;
    onlyModified.modificationDate = modified;
    ResourceValues onlyCreated;
    onlyCreated.creationDate = created;

    EXPECT_EQ(groupingDate(both, DateBasis::created, cleaned), created);
    EXPECT_EQ(groupingDate(both, DateBasis::modified, cleaned), modified);
    EXPECT_EQ(groupingDate(both, DateBasis::cleaned, cleaned), cleaned);
    EXPECT_EQ(groupingDate(onlyModified, DateBasis::created, cleaned), modified);
    EXPECT_EQ(groupingDate(onlyCreated, DateBasis::modified, cleaned), created);
    EXPECT_EQ(groupingDate(ResourceValues{}, DateBasis::created, cleaned), cleaned);
    EXPECT_EQ(groupingDate(std::nullopt, DateBasis::modified, cleaned), cleaned);
}

} // namespace
} // namespace sorvane
