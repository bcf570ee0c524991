// SPDX-License-Identifier: MIT
#include "record/run_summary.h"

#include "record/clean_record.h"

namespace sorvane {

RunSummary RunSummary::of(const CleanRecord& record) {
    return {record.id,           record.date,   record.trigger, record.moved.size(),
            record.skippedCount, record.errors, record.undone};
}

} // namespace sorvane
