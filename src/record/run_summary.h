// SPDX-License-Identifier: MIT
#pragma once

#include "platform/timestamp.h"
#include "record/clean_trigger.h"
#include "record/uuid.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

struct CleanRecord;

/// What a list of runs shows of one: a clean record without its moved items, only their
/// number.
struct RunSummary {
    Uuid id;
    Timestamp date;
    CleanTrigger trigger = CleanTrigger::manual;
    std::size_t movedCount = 0;
    std::int64_t skippedCount = 0;
    std::vector<std::string> errors;
    bool undone = false;

    static RunSummary of(const CleanRecord& record);

    friend bool operator==(const RunSummary&, const RunSummary&) = default;
};

} // namespace sorvane
