// SPDX-License-Identifier: MIT
#include "updates/release_feed.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

TEST(ReleaseFeedTest, VersionsAreNumbersWithAnOptionalTag) {
    const auto version = [](const char* text) {
        return ReleaseFeed::parseVersion(text);
    };
    ASSERT_TRUE(version("1.2.0"));
    EXPECT_EQ(version("1.2.0")->number, QVersionNumber(1, 2, 0));
    EXPECT_FALSE(version("1.2.0")->preRelease);
    EXPECT_EQ(version("v1.2")->number, QVersionNumber(1, 2));
    EXPECT_EQ(version("V2")->number, QVersionNumber(2));
    EXPECT_TRUE(version("1.3.0-beta.1")->preRelease);
    EXPECT_FALSE(version("1.3.0+build.7")->preRelease);
    EXPECT_GT(version("1.10.0")->number, version("1.9.3")->number);

    for (const char* malformed :
         {"", "v", "banana", "1..2", "1.2.x", "1.2.0-", ".1", "1.2 ", "1234567890.0", "vv1.0"})
        EXPECT_FALSE(version(malformed)) << malformed;
}

TEST(ReleaseFeedTest, TheNewestReleaseThatIsNotAPreReleaseIsChosen) {
    const ReleaseFeed feed = ReleaseFeed::parse(R"({"releases": [
        {"version": "1.9.0", "url": "https://sorvane.app/releases/1.9.0"},
        {"version": "v1.10.0", "url": "https://sorvane.app/releases/1.10.0", "notes": "Faster."},
        {"version": "2.0.0-rc.1", "url": "https://sorvane.app/releases/2.0.0-rc.1"},
        {"version": "1.2.0", "future": "ignored"}
    ], "schema": 2})");
    ASSERT_TRUE(feed.isValid()) << feed.error().toStdString();
    ASSERT_TRUE(feed.newest());
    EXPECT_EQ(feed.newest()->name, "v1.10.0");
    EXPECT_EQ(feed.newest()->page, QUrl("https://sorvane.app/releases/1.10.0"));
    EXPECT_EQ(feed.newest()->notes, "Faster.");

    const ReleaseFeed empty = ReleaseFeed::parse(R"({"releases": []})");
    EXPECT_TRUE(empty.isValid());
    EXPECT_FALSE(empty.newest());
}

TEST(ReleaseFeedTest, APageElsewhereThanTheProductsSiteIsReplacedByTheSite) {
    const ReleaseFeed feed = ReleaseFeed::parse(
        R"({"releases": [{"version": "3.0", "url": "https://sorvane.app.example.com/x"}]})");
    ASSERT_TRUE(feed.newest());
    EXPECT_EQ(feed.newest()->page, QUrl("https://sorvane.app/"));

    for (const char* page :
         {"http://sorvane.app/releases/1", "https://user@sorvane.app/", "https://sorvane.app:8443/",
          "https://example.com/sorvane.app/", "javascript:alert(1)", "file:///etc/passwd"})
        EXPECT_FALSE(ReleaseFeed::isReleasePage(QUrl(page))) << page;
    EXPECT_TRUE(ReleaseFeed::isReleasePage(QUrl("https://sorvane.app/releases/1.1.0")));
    EXPECT_TRUE(ReleaseFeed::isReleasePage(QUrl("https://SORVANE.app/")));
}

TEST(ReleaseFeedTest, AnythingUnexpectedMakesTheWholeFeedInvalid) {
    for (const char* text : {"", "hello", "[]", R"({"releases": {}})", R"({"release": []})",
                             R"({"releases": [{"version": 1.1}]})",
                             R"({"releases": [{"url": "https://sorvane.app/"}]})",
                             R"({"releases": [{"version": "1.1", "notes": 5}]})",
                             R"({"releases": [{"version": "1.1"}],})",
                             "{\"releases\": [{\"version\": \"1.\xff\"}]}"}) {
        const ReleaseFeed feed = ReleaseFeed::parse(text);
        EXPECT_FALSE(feed.isValid()) << text;
        EXPECT_EQ(feed.error(), "The update information could not be read.") << text;
    }
    const ReleaseFeed banana =
        ReleaseFeed::parse(R"({"releases": [{"version": "1.1"}, {"version": "banana"}]})");
    EXPECT_EQ(banana.error(),
              "The update information lists a version Sorvane cannot read: \u201Cbanana\u201D.");
    EXPECT_FALSE(banana.newest());
}

TEST(ReleaseFeedTest, PlainHttpFeedsOnlyFromThisMachine) {
    for (const char* address : {"https://sorvane.app/releases.json", "http://127.0.0.1:8080/f",
                                "http://127.1.2.3/f", "http://[::1]:99/f", "http://localhost/f"})
        EXPECT_TRUE(ReleaseFeed::isFeedAddress(QUrl(address))) << address;
    for (const char* address :
         {"http://sorvane.app/releases.json", "http://10.0.0.1/f", "ftp://sorvane.app/f",
          "file:///tmp/releases.json", "https:///x", "http://127.0.0.1.example.com/f"})
        EXPECT_FALSE(ReleaseFeed::isFeedAddress(QUrl(address))) << address;
}

} // namespace
} // namespace sorvane
