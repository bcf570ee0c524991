#include "record/clean_record.h"

namespace sorvane {

std::string CleanRecord::summary() const {
    if (moved.empty() && errors.empty()) {
        return "Nothing to move";
    }
    std::string text = std::to_string(moved.size());
    text += moved.size() == 1 ? " item moved" : " items moved";
    if (skippedCount > 0) {
        text += ", " + std::to_string(skippedCount) + " left in place";
    }
    if (!errors.empty()) {
        text += ", " + std::to_string(errors.size()) + " failed";
    }
    return text;
}

} // namespace sorvane
