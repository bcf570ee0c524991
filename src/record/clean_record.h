// SPDX-License-Identifier: MIT
#pragma once

#include "platform/timestamp.h"
#include "record/clean_trigger.h"
#include "record/moved_file.h"
#include "record/uuid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

/// The account of one clean run.
struct CleanRecord {
    Uuid id;
    Timestamp date;
    CleanTrigger trigger = CleanTrigger::manual;
    std::vector<MovedFile> moved;
    std::int64_t skippedCount = 0;
    std::vector<std::string> errors;
    bool undone = false;

    friend bool operator==(const CleanRecord&, const CleanRecord&) = default;
};

} // namespace sorvane
