// SPDX-License-Identifier: MIT
#pragma once

#include "record/clean_record.h"

#include <chrono>
#include <vector>

namespace sorvane::test {

/// Two runs, newest first, whose stored form is `knownHistoryJson`, byte for byte.
inline std::vector<CleanRecord> knownHistory() {
    using namespace std::chrono;
    CleanRecord first;
    first.id = *Uuid::fromString("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    first.date = sys_days{2025y / March / 7} + 9h + 15min;
    first.moved.push_back({*Uuid::fromString("11111111-2222-4333-8444-555555555555"),
                           "/home/ana/Desktop/b.txt",
                           "/home/ana/Documents/Desktop Archive/2025-03 March/b.txt"});
    first.skippedCount = 2;
    first.errors = {"a.txt: Could not move it."};

    CleanRecord second;
    second.id = *Uuid::fromString("66666666-7777-4888-9999-AAAAAAAAAAAA");
    second.date = sys_days{2025y / March / 6} + 18h;
    second.trigger = CleanTrigger::scheduled;
    second.undone = true;
    return {first, second};
}

inline constexpr const char* knownHistoryJson = R"json([
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
])json";

} // namespace sorvane::test
