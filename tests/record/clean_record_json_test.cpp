// SPDX-License-Identifier: MIT
#include "record/base64.h"
#include "record/clean_record_json.h"
#include "record/utf8.h"
#include "support/known_history.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>

namespace sorvane {
namespace {

using test::knownHistory;
using test::knownHistoryJson;

using namespace std::chrono;
using nlohmann::json;

system_clock::time_point at(year_month_day day, hours h, minutes m, seconds s = seconds{0}) {
    return sys_days{day} + h + m + s;
}

TEST(CleanRecordJsonTest, WritesTheExactForm) {
    EXPECT_EQ(CleanRecordJson::encode(knownHistory()), knownHistoryJson);
    EXPECT_EQ(CleanRecordJson::decode(knownHistoryJson), knownHistory());
}

TEST(CleanRecordJsonTest, EmptyHistoryIsAnEmptyArray) {
    EXPECT_EQ(CleanRecordJson::encode({}), "[]");
    EXPECT_EQ(CleanRecordJson::decode("[]"), std::vector<CleanRecord>{});
    EXPECT_EQ(CleanRecordJson::decode(" [ ]\n"), std::vector<CleanRecord>{});
}

TEST(CleanRecordJsonTest, DatesDropTheFractionTowardTheEarlierSecond) {
    std::vector<CleanRecord> records = knownHistory();
    records[0].date += 999ms;
    records[1].date = system_clock::time_point{} - 1ns;
    records[1].moved.push_back({Uuid::random(), "/d/x", "/a/x"});
    records[1].skippedCount = -3;

    const std::string text = CleanRecordJson::encode(records);
    EXPECT_NE(text.find("\"2025-03-07T09:15:00Z\""), std::string::npos);
    EXPECT_NE(text.find("\"1969-12-31T23:59:59Z\""), std::string::npos);

    const auto decoded = CleanRecordJson::decode(text);
    ASSERT_TRUE(decoded);
    EXPECT_NE(*decoded, records);
    records[0].date = floor<seconds>(records[0].date);
    records[1].date = floor<seconds>(records[1].date);
    EXPECT_EQ(*decoded, records);
}

TEST(CleanRecordJsonTest, WritesControlCharactersAsEscapes) {
    std::vector<CleanRecord> records = knownHistory();
    records[0].errors = {"tab\there\x1b\x7f\x01"};
    EXPECT_NE(CleanRecordJson::encode(records).find(R"("tab\there\u001b)"
                                                    "\x7f"
                                                    R"(\u0001")"),
              std::string::npos);
}

TEST(CleanRecordJsonTest, UnusualButValidPathsRoundTripAsPlainStrings) {
    std::vector<CleanRecord> records = knownHistory();
    const std::vector<std::string> names = {"line\nbreak", "carriage\rreturn", "quote\"d",
                                            "back\\slash", "tab\tand\x01",     "Ärger.txt",
                                            "🎉 party.png", "Cafe\xCC\x81.txt", "\xEF\xBF\xBD.txt"};
    records[0].moved.clear();
    for (const std::string& name : names) {
        records[0].moved.push_back(
            {Uuid::random(), "/home/ana/Desktop/" + name, "/archive/2025-03 March/" + name});
    }
    const std::string text = CleanRecordJson::encode(records);
    EXPECT_EQ(text.find("Bytes"), std::string::npos);
    EXPECT_EQ(CleanRecordJson::decode(text), records);
}

TEST(CleanRecordJsonTest, InvalidUtf8PathsKeepTheirExactBytes) {
    std::vector<CleanRecord> records = knownHistory();
    const std::string latin1 = "/home/ana/Desktop/caf\xE9.txt";
    const std::string broken = "/archive/\xFF\xFE\xC3 \xF0\x9F\x98.txt";
    records[0].moved = {{Uuid::random(), latin1, broken}};
    records[0].errors = {"caf\xE9.txt: Could not move it."};

    const std::string text = CleanRecordJson::encode(records);
    const json parsed = json::parse(text); // throws if the file is not valid UTF-8 JSON
    const json& item = parsed[0]["moved"][0];
    EXPECT_EQ(item["originalPath"], "/home/ana/Desktop/caf\uFFFD.txt");
    EXPECT_EQ(item["originalPathBytes"], Base64::encode(latin1));
    EXPECT_EQ(item["newPath"], "/archive/\uFFFD\uFFFD\uFFFD \uFFFD.txt");
    EXPECT_EQ(item["newPathBytes"], Base64::encode(broken));
    EXPECT_EQ(parsed[0]["errors"][0], "caf\uFFFD.txt: Could not move it.");
    EXPECT_LT(text.find("\"newPathBytes\""), text.find("\"originalPath\""));

    const auto decoded = CleanRecordJson::decode(text);
    ASSERT_TRUE(decoded);
    EXPECT_EQ((*decoded)[0].moved, records[0].moved);
}

// A valid one-record history as nlohmann's tree, to be spoiled one way per case.
json validDocument() {
    return json::array({{{"date", "2025-03-07T09:15:00Z"},
                         {"errors", {"a.txt: Could not move it."}},
                         {"id", "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3"},
                         {"moved",
                          {{{"id", "11111111-2222-4333-8444-555555555555"},
                            {"newPath", "/archive/b.txt"},
                            {"originalPath", "/home/ana/Desktop/b.txt"}}}},
                         {"skippedCount", 2},
                         {"trigger", "manual"},
                         {"undone", false}}});
}

std::string spoiled(const std::function<void(json& record, json& item)>& change) {
    json document = validDocument();
    change(document[0], document[0]["moved"][0]);
    return document.dump();
}

std::string withRecord(std::string_view key, const json& value) {
    return spoiled([&](json& record, json&) { record[std::string(key)] = value; });
}

std::string withDate(std::string_view date) {
    return withRecord("date", date);
}

std::string withItem(std::string_view key, const json& value) {
    return spoiled([&](json&, json& item) { item[std::string(key)] = value; });
}

std::string without(std::string_view key) {
    return spoiled([&](json& record, json&) { record.erase(std::string(key)); });
}

std::string withoutItem(std::string_view key) {
    return spoiled([&](json&, json& item) { item.erase(std::string(key)); });
}

std::string secondRecordSpoiled() {
    json document = validDocument();
    document.push_back(document[0]);
    document[1]["trigger"] = "Scheduled";
    return document.dump();
}

struct MalformedCase {
    std::string name;
    std::string text;
    std::string reason;
};

void PrintTo(const MalformedCase& c, std::ostream* out) {
    *out << c.name;
}

class MalformedHistoryTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedHistoryTest, RejectsTheWholeDocument) {
    std::string error;
    EXPECT_EQ(CleanRecordJson::decode(GetParam().text, &error), std::nullopt);
    // A JSON syntax error's position is the parser's business; the rest must match exactly.
    EXPECT_EQ(error.substr(0, GetParam().reason.size()), GetParam().reason);
    if (GetParam().reason != "not valid JSON") {
        EXPECT_EQ(error, GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MalformedHistoryTest,
    testing::Values(
        MalformedCase{"NotJson", "[{", "not valid JSON"},
        MalformedCase{"Empty", "", "not valid JSON"},
        MalformedCase{"RawInvalidUtf8", "[\"\xE9\"]", "not valid JSON"},
        MalformedCase{"TopLevelObject", validDocument()[0].dump(), "the top level is not an array"},
        MalformedCase{"RecordNotObject", "[[]]", "record 1 is not an object"},
        MalformedCase{"MissingDate", without("date"), "record 1: missing \"date\""},
        MalformedCase{"MissingErrors", without("errors"), "record 1: missing \"errors\""},
        MalformedCase{"MissingId", without("id"), "record 1: missing \"id\""},
        MalformedCase{"MissingMoved", without("moved"), "record 1: missing \"moved\""},
        MalformedCase{"MissingSkipped", without("skippedCount"),
                      "record 1: missing \"skippedCount\""},
        MalformedCase{"MissingTrigger", without("trigger"), "record 1: missing \"trigger\""},
        MalformedCase{"MissingUndone", without("undone"), "record 1: missing \"undone\""},
        MalformedCase{"MissingItemId", withoutItem("id"), "record 1: moved item 1: missing \"id\""},
        MalformedCase{"MissingNewPath", withoutItem("newPath"),
                      "record 1: moved item 1: missing \"newPath\""},
        MalformedCase{"MissingOriginalPath", withoutItem("originalPath"),
                      "record 1: moved item 1: missing \"originalPath\""},
        MalformedCase{"DateNumber", withRecord("date", 0), "record 1: \"date\" is not a string"},
        MalformedCase{"ErrorsString", withRecord("errors", "x"),
                      "record 1: \"errors\" is not an array"},
        MalformedCase{"ErrorsOfNumbers", withRecord("errors", {1}),
                      "record 1: \"errors\" holds something other than strings"},
        MalformedCase{"IdNumber", withRecord("id", 5), "record 1: \"id\" is not a string"},
        MalformedCase{"MovedObject", withRecord("moved", json::object()),
                      "record 1: \"moved\" is not an array"},
        MalformedCase{"ItemNotObject", withRecord("moved", {"x"}),
                      "record 1: moved item 1 is not an object"},
        MalformedCase{"SkippedString", withRecord("skippedCount", "2"),
                      "record 1: \"skippedCount\" is not an integer"},
        MalformedCase{"SkippedFloat", withRecord("skippedCount", 2.0),
                      "record 1: \"skippedCount\" is not an integer"},
        MalformedCase{"SkippedBoolean", withRecord("skippedCount", true),
                      "record 1: \"skippedCount\" is not an integer"},
        MalformedCase{"SkippedTooLarge", withRecord("skippedCount", 9223372036854775808u),
                      "record 1: \"skippedCount\" is too large"},
        MalformedCase{"TriggerBoolean", withRecord("trigger", true),
                      "record 1: \"trigger\" is not a string"},
        MalformedCase{"TriggerCapitalised", withRecord("trigger", "Manual"),
                      "record 1: \"trigger\" is neither \"manual\" nor \"scheduled\""},
        MalformedCase{"UndoneNumber", withRecord("undone", 0),
                      "record 1: \"undone\" is not true or false"},
        MalformedCase{"UndoneString", withRecord("undone", "false"),
                      "record 1: \"undone\" is not true or false"},
        MalformedCase{"ItemIdNull", withItem("id", nullptr),
                      "record 1: moved item 1: \"id\" is not a string"},
        MalformedCase{"NewPathArray", withItem("newPath", json::array()),
                      "record 1: moved item 1: \"newPath\" is not a string"},
        MalformedCase{"OriginalPathNumber", withItem("originalPath", 3),
                      "record 1: moved item 1: \"originalPath\" is not a string"},
        MalformedCase{"IdShort", withRecord("id", "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D"),
                      "record 1: \"id\" is not a UUID"},
        MalformedCase{"IdBraced", withRecord("id", "{0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3}"),
                      "record 1: \"id\" is not a UUID"},
        MalformedCase{"ItemIdNoHyphens", withItem("id", "111111112222433384445555555555555"),
                      "record 1: moved item 1: \"id\" is not a UUID"},
        MalformedCase{"DateFraction", withDate("2025-03-07T09:15:00.5Z"),
                      "record 1: \"date\" has a fraction of a second"},
        MalformedCase{"DateNoZone", withDate("2025-03-07T09:15:00"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"DateSpace", withDate("2025-03-07 09:15:00Z"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"DateShortFields", withDate("2025-3-7T09:15:00Z"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"DateOnly", withDate("2025-03-07"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"DateBadOffset", withDate("2025-03-07T09:15:00+0100"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"DateOffsetHour24", withDate("2025-03-07T09:15:00+24:00"),
                      "record 1: \"date\" is not a whole-second ISO 8601 date"},
        MalformedCase{"Month13", withDate("2025-13-07T09:15:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"Month0", withDate("2025-00-07T09:15:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"February30", withDate("2024-02-30T09:15:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"February29NotLeap", withDate("2100-02-29T09:15:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"Hour24", withDate("2025-03-07T24:00:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"Minute60", withDate("2025-03-07T09:60:00Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"LeapSecond", withDate("2016-12-31T23:59:60Z"),
                      "record 1: \"date\" is not a valid date and time"},
        MalformedCase{"BytesNotBase64", withItem("newPathBytes", "L2E-"),
                      "record 1: moved item 1: \"newPathBytes\" is not a base64 string"},
        MalformedCase{"BytesUnpadded", withItem("originalPathBytes", "L2E"),
                      "record 1: moved item 1: \"originalPathBytes\" is not a base64 string"},
        MalformedCase{"BytesStrayBits", withItem("newPathBytes", "L2F="),
                      "record 1: moved item 1: \"newPathBytes\" is not a base64 string"},
        MalformedCase{"BytesNumber", withItem("newPathBytes", 1),
                      "record 1: moved item 1: \"newPathBytes\" is not a base64 string"},
        MalformedCase{"SecondRecordBad", secondRecordSpoiled(),
                      "record 2: \"trigger\" is neither \"manual\" nor \"scheduled\""}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(CleanRecordJsonTest, ReadsWhatOtherWritersMayProduce) {
    const std::vector<CleanRecord> expected =
        CleanRecordJson::decode(validDocument().dump()).value();
    const std::vector<std::string> variants = {
        // unescaped and escaped slashes
        R"([{"date":"2025-03-07T09:15:00Z","errors":["a.txt: Could not move it."],)"
        R"("id":"0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3","moved":[{"id":)"
        R"("11111111-2222-4333-8444-555555555555","newPath":"\/archive\/b.txt",)"
        R"("originalPath":"\/home\/ana\/Desktop\/b.txt"}],"skippedCount":2,)"
        R"("trigger":"manual","undone":false}])",
        spoiled([](json& record, json& item) {
            record["note"] = {{"any", "thing"}};
            item["size"] = 12;
        }),
        withDate("2025-03-07T10:15:00+01:00"),
        withDate("2025-03-07T03:45:00-05:30"),
        withDate("2025-03-07t09:15:00z"),
        withItem("newPathBytes", Base64::encode("/archive/b.txt")),
    };
    for (const std::string& text : variants) {
        std::string error;
        EXPECT_EQ(CleanRecordJson::decode(text, &error), expected) << text << "\n" << error;
    }
}

TEST(CleanRecordJsonTest, PathBytesWinOverTheReadableString) {
    const auto decoded = CleanRecordJson::decode(withItem("newPathBytes", "L2EvXP8="));
    ASSERT_TRUE(decoded);
    EXPECT_EQ((*decoded)[0].moved[0].newPath, "/a/\\\xFF");
}

TEST(CleanRecordJsonTest, LeapDaysAndDateRangeEdgesAreRead) {
    const auto leap = CleanRecordJson::decode(withDate("2024-02-29T23:59:59Z"));
    ASSERT_TRUE(leap);
    EXPECT_EQ((*leap)[0].date, at(2024y / February / 29, 23h, 59min, 59s));
    // Beyond the years 64 bits of nanoseconds can count, both ways.
    for (const auto day : {1900y / January / 1, 1600y / March / 1, 2400y / January / 1,
                           1y / January / 1, 9999y / December / 31}) {
        std::vector<CleanRecord> records = knownHistory();
        records[0].date = Timestamp(sys_days{day}) + 23h;
        const auto decoded = CleanRecordJson::decode(CleanRecordJson::encode(records));
        ASSERT_TRUE(decoded) << int(day.year());
        EXPECT_EQ((*decoded)[0].date, records[0].date) << int(day.year());
    }
}

struct ReplacementCase {
    std::string bytes;
    std::string expected;
};

class Utf8ReplacementTest : public testing::TestWithParam<ReplacementCase> {};

TEST_P(Utf8ReplacementTest, OneReplacementPerMaximalBadSubsequence) {
    EXPECT_FALSE(Utf8::isValid(GetParam().bytes));
    EXPECT_EQ(Utf8::withReplacements(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8ReplacementTest,
    testing::Values(ReplacementCase{"a\x80z", "a\uFFFDz"},
                    ReplacementCase{"\xC0\xAF", "\uFFFD\uFFFD"},           // overlong "/"
                    ReplacementCase{"\xE0\x80\x80", "\uFFFD\uFFFD\uFFFD"}, // overlong
                    ReplacementCase{"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"}, // surrogate
                    ReplacementCase{"\xE2\x82z", "\uFFFDz"},               // truncated
                    ReplacementCase{"\xF0\x9F\x98", "\uFFFD"},             // truncated at end
                    ReplacementCase{"\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
                    ReplacementCase{"\xFF\xC3\xA4", "\uFFFD\xC3\xA4"}));

TEST(Base64Test, MatchesTheStandardVectors) {
    const std::vector<std::pair<std::string, std::string>> vectors = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\xFF\xFE\x00?", 4), "//4APw=="}};
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(Base64::encode(bytes), text);
        EXPECT_EQ(Base64::decode(text), bytes);
    }
}

} // namespace
} // namespace sorvane
