// SPDX-License-Identifier: MIT
#include "record/clean_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace sorvane {
namespace {

TEST(CleanTriggerTest, RawValuesMatchExactly) {
    for (CleanTrigger trigger : allCleanTriggers) {
        EXPECT_EQ(cleanTriggerFromRaw(rawValue(trigger)), trigger);
    }
    EXPECT_EQ(rawValue(CleanTrigger::manual), "manual");
    EXPECT_EQ(rawValue(CleanTrigger::scheduled), "scheduled");
    for (std::string_view other : {"Manual", "SCHEDULED", "manual ", "", "daily"}) {
        EXPECT_EQ(cleanTriggerFromRaw(other), std::nullopt) << other;
    }
}

TEST(UuidTest, RandomIsVersionFourAndUnique) {
    std::set<Uuid> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid uuid = Uuid::random();
        EXPECT_EQ(uuid.bytes()[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes()[8] >> 6, 2);
        EXPECT_EQ(uuid.toString()[14], '4');
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(UuidTest, WritesUpperCaseAndReadsEitherCase) {
    const Uuid uuid({0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f, 0x4a, 0x6b, 0x8c, 0x7d, 0x8e, 0x9f, 0xa0,
                     0xb1, 0xc2, 0xd3});
    EXPECT_EQ(uuid.toString(), "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    EXPECT_EQ(Uuid::fromString("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3"), uuid);
    EXPECT_EQ(Uuid::fromString("0a1b2c3d-4e5f-4a6b-8c7d-8e9fa0b1c2d3"), uuid);
    EXPECT_EQ(Uuid::fromString("0a1B2c3D-4e5F-4A6b-8C7d-8e9Fa0B1c2D3"), uuid);
}

class MalformedUuidTest : public testing::TestWithParam<std::string> {};

TEST_P(MalformedUuidTest, IsRefused) {
    EXPECT_EQ(Uuid::fromString(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Forms, MalformedUuidTest,
                         testing::Values("", "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D",
                                         "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D34",
                                         "0A1B2C3D4E5F4A6B8C7D8E9FA0B1C2D3",
                                         "{0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3}",
                                         "0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2DG",
                                         "0A1B2C3D4-E5F-4A6B-8C7D-8E9FA0B1C2D3",
                                         " 0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D",
                                         "0A1B2C3D-4E5F-4A6B-8C7D+8E9FA0B1C2D3"));

TEST(CleanRecordTest, EqualityCoversEveryField) {
    CleanRecord base;
    base.id = Uuid::random();
    base.date = std::chrono::system_clock::time_point{std::chrono::seconds{1741338900}};
    base.moved.push_back({Uuid::random(), "/home/ana/Desktop/a", "/archive/a"});
    base.skippedCount = 1;
    base.errors = {"b: Could not move it."};

    const std::vector<std::function<void(CleanRecord&)>> changes = {
        [](CleanRecord& r) { r.id = Uuid::random(); },
        [](CleanRecord& r) { r.date += std::chrono::nanoseconds{1}; },
        [](CleanRecord& r) { r.trigger = CleanTrigger::scheduled; },
        [](CleanRecord& r) { r.moved.clear(); },
        [](CleanRecord& r) { r.moved[0].id = Uuid::random(); },
        [](CleanRecord& r) { r.moved[0].originalPath += "x"; },
        [](CleanRecord& r) { r.moved[0].newPath += "x"; },
        [](CleanRecord& r) { r.skippedCount = 2; },
        [](CleanRecord& r) { r.errors.push_back("c"); },
        [](CleanRecord& r) { r.undone = true; },
    };
    EXPECT_EQ(base, CleanRecord(base));
    for (std::size_t i = 0; i < changes.size(); ++i) {
        CleanRecord changed = base;
        changes[i](changed);
        EXPECT_NE(changed, base) << "change " << i;
    }
}

} // namespace
} // namespace sorvane
