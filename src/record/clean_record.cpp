#include "record/clean_record.h"

#include "record/run_summary.h"

namespace sorvane {

std::string CleanRecord::summary() const {
    return RunSummary::of(*this).summary();
}

} // namespace sorvane
