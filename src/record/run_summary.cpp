#include "record/run_summary.h"

#include "record/clean_record.h"

namespace sorvane {

RunSummary RunSummary::of(const CleanRecord& record) {
    return {record.id,           record.date,   record.trigger, record.moved.size(),
            record.skippedCount, record.errors, record.undone};
}

std::string RunSummary::summary() const {
    if (movedCount == 0 && errors.empty()) {
        return "Nothing to move";
    }
    std::string text = std::to_string(movedCount);
    text += movedCount == 1 ? " item moved" : " items moved";
    if (skippedCount > 0) {
        text += ", " + std::to_string(skippedCount) + " left in place";
    }
    if (!errors.empty()) {
        text += ", " + std::to_string(errors.size()) + " failed";
    }
    return text;
}

} // namespace sorvane
