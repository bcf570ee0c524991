// SPDX-License-Identifier: MIT
#include "app/app_state.h"
#include "app/display_texts.h"
#include "app/translations.h"
#include "engine/clean_error.h"
#include "platform/posix_error.h"
#include "platform/relative_time_text.h"
#include "platform/user_locale.h"
#include "support/scoped_environment.h"

#include <QTranslator>
#include <cerrno>
#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

RunSummary run(std::size_t moved, std::int64_t skipped, std::size_t errors) {
    RunSummary run;
    run.movedCount = moved;
    run.skippedCount = skipped;
    run.errors.assign(errors, "x: Could not move it.");
    return run;
}

// The English texts, word for word, with their plural forms, as an English session and one
// in a language without a translation see them.
class EnglishTextsTest : public ::testing::TestWithParam<QLocale::Language> {
protected:
    Translations m_translations{QLocale(GetParam())};
};

TEST_P(EnglishTextsTest, ReadWordForWordInSingularAndPlural) {
    const std::pair<QString, const char*> cases[] = {
        {DisplayTexts::headline(0), "Your desktop is already clear"},
        {DisplayTexts::headline(1), "1 item waiting on your desktop"},
        {DisplayTexts::headline(2), "2 items waiting on your desktop"},
        {DisplayTexts::headline(1234), "1234 items waiting on your desktop"},
        {DisplayTexts::taggedLine(1), "1 tagged file stays put"},
        {DisplayTexts::taggedLine(3), "3 tagged files stay put"},
        {DisplayTexts::items(1), "1 item"},
        {DisplayTexts::items(4), "4 items"},
        {DisplayTexts::archiveLine("/home/ana/Desktop Archive"), "Files go to Desktop Archive"},
        {DisplayTexts::summary(run(0, 0, 0)), "Nothing to move"},
        {DisplayTexts::summary(run(0, 5, 0)), "Nothing to move"},
        {DisplayTexts::summary(run(1, 0, 0)), "1 item moved"},
        {DisplayTexts::summary(run(2, 1, 0)), "2 items moved, 1 left in place"},
        {DisplayTexts::summary(run(3, 2, 1)), "3 items moved, 2 left in place, 1 failed"},
        {DisplayTexts::summary(run(0, 0, 2)), "0 items moved, 2 failed"},
        {DisplayTexts::summary(run(1, -4, 1)), "1 item moved, 1 failed"},
        {DisplayTexts::summary(run(1234, 10000, 0)), "1234 items moved, 10000 left in place"},
        {AppState::undoMessage(1, 0), "Put 1 item back on the desktop"},
        {AppState::undoMessage(3, 0), "Put 3 items back on the desktop"},
        {AppState::undoMessage(1, 2), "Put 1 item back, 2 could not be restored"},
        {AppState::undoMessage(0, 2), "Nothing could be put back, 2 failed"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text.toStdString(), expected);
    EXPECT_EQ(CleanError::noDesktop().errorDescription(), "Could not find your Desktop folder.");
    EXPECT_EQ(errorText(ENOSPC), "No space left on device");
    EXPECT_EQ(posixError("move", "/home/ana/Desktop/a.txt", EACCES, " to the Trash").message,
              "Could not move \u201Ca.txt\u201D to the Trash: Permission denied.");
}

INSTANTIATE_TEST_SUITE_P(Languages, EnglishTextsTest,
                         ::testing::Values(QLocale::English, QLocale::Finnish));

// The run dates' formatter is kept between calls; a new time zone or formatting locale must
// still reach the next date.
TEST(RunDateTest, FollowsTheTimeZoneAndTheFormatsOfTheMoment) {
    test::ScopedEnvironment env;
    env.set("LC_ALL", "en_US.UTF-8");
    env.set("TZ", "UTC");
    const Timestamp date = std::chrono::sys_days{std::chrono::March / 7 / 2025} + 9h + 15min;
    EXPECT_EQ(DisplayTexts::runDate(date).toStdString(), "Mar 7, 2025, 9:15\u202FAM");
    env.set("TZ", "Asia/Tokyo");
    EXPECT_EQ(DisplayTexts::runDate(date).toStdString(), "Mar 7, 2025, 6:15\u202FPM");
    env.set("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(DisplayTexts::runDate(date).toStdString(), "07.03.2025, 18:15");
}

// A German session: the program's texts, the engine's error lines, the system's error texts
// and the words inside a line are German.
TEST(GermanTextsTest, ReachEveryLayer) {
    const Translations german{QLocale(QLocale::German, QLocale::Germany)};
    EXPECT_EQ(DisplayTexts::headline(1).toStdString(), "1 Objekt wartet auf Ihrem Schreibtisch");
    EXPECT_EQ(DisplayTexts::headline(2).toStdString(), "2 Objekte warten auf Ihrem Schreibtisch");
    EXPECT_EQ(CleanError::noDesktop().errorDescription(),
              "Ihr Schreibtischordner wurde nicht gefunden.");
    EXPECT_EQ(errorText(ENOSPC), "Kein Platz mehr auf dem Gerät");
    EXPECT_EQ(posixError("read", "/tmp/100%2 sure", ENOENT).message,
              "\u201E100%2 sure\u201C konnte nicht gelesen werden: Datei oder Ordner nicht "
              "vorhanden.")
        << "an argument holding %2 is not filled in again";
    const Timestamp now(1749549600s);
    EXPECT_EQ(RelativeTimeText::describe(now + 4h, now), "in 4 Stunden");
}

TEST(TranslationsTest, GiveBackTheEarlierLanguageOnceGone) {
    { const Translations german{QLocale(QLocale::German)}; }
    EXPECT_EQ(DisplayTexts::headline(1).toStdString(), "1 item waiting on your desktop");
    EXPECT_EQ(errorText(ENOSPC), "No space left on device");
    EXPECT_EQ(UserLocale::languageLocale(), icu::Locale("en"));
}

} // namespace
} // namespace sorvane
