// SPDX-License-Identifier: MIT
#include "platform/relative_time_text.h"
#include "support/scoped_environment.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

using namespace std::chrono_literals;

class RelativeTimeTextTest : public ::testing::Test {
protected:
    RelativeTimeTextTest() {
        m_env.set("TZ", "Europe/Berlin");
        m_env.set("LC_ALL", "en_US.UTF-8");
    }

    std::string in(Timestamp::duration offset) const {
        return RelativeTimeText::describe(m_now + offset, m_now);
    }

    test::ScopedEnvironment m_env;
    // 10 June 2025, 12:00 in Berlin.
    Timestamp m_now = Timestamp(1749549600s);
};

TEST_F(RelativeTimeTextTest, TheLargestWholeUnitIsNamed) {
    EXPECT_EQ(in(3h), "in 3 hours");
    EXPECT_EQ(in(3h + 59min), "in 3 hours");
    EXPECT_EQ(in(24h), "in 1 day");
    EXPECT_EQ(in(23h), "in 23 hours");
    EXPECT_EQ(in(1min), "in 1 minute");
    EXPECT_EQ(in(45s), "in 45 seconds");
    EXPECT_EQ(in(0s), "in 0 seconds");
    EXPECT_EQ(in(13 * 24h), "in 1 week");
    EXPECT_EQ(in(14 * 24h), "in 2 weeks");
    EXPECT_EQ(in(31 * 24h), "in 1 month");
    EXPECT_EQ(in(400 * 24h), "in 1 year");
    EXPECT_EQ(in(-3h), "3 hours ago");
    EXPECT_EQ(in(-2 * 24h), "2 days ago");
}

TEST_F(RelativeTimeTextTest, ADayAcrossADaylightSavingChangeIsStillADay) {
    // Noon on 29 March to noon on 30 March 2025 in Berlin is 23 hours.
    const Timestamp saturday(1743246000s);
    EXPECT_EQ(RelativeTimeText::describe(saturday + 23h, saturday), "in 1 day");
}

TEST_F(RelativeTimeTextTest, TheLanguageGivesTheWords) {
    const auto describe = [&](Timestamp::duration offset, const char* locale) {
        return RelativeTimeText::describe(m_now + offset, m_now, icu::Locale(locale));
    };
    EXPECT_EQ(describe(3h, "de"), "in 3 Stunden");
    EXPECT_EQ(describe(-3h, "de"), "vor 3 Stunden");
    EXPECT_EQ(describe(24h, "de"), "in 1 Tag");
    EXPECT_EQ(describe(3h, "fr"), "dans 3 heures");
    // Without translated texts the words stay English whatever the formatting locale.
    m_env.set("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(in(3h), "in 3 hours");
}

} // namespace
} // namespace sorvane
