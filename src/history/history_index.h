// SPDX-License-Identifier: MIT
#pragma once

#include "record/run_summary.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

/// One run of a history file: its summary, where its text lies in the file, and its text in
/// the written form when the file holds it in another one.
struct IndexedRun {
    RunSummary summary;
    std::size_t offset = 0, length = 0;
    /// Empty when the file's own text is already in the written form.
    std::string rewritten;
};

/// Reads a history file as strictly as CleanRecordJson does, but keeps only each run's
/// summary and place: records in the written form are checked in one pass without being
/// built, the others are read whole and written again in that form.
class HistoryIndex {
public:
    /// Empty when the file is not a history that CleanRecordJson reads.
    static std::optional<std::vector<IndexedRun>> read(std::string_view document);
};

} // namespace sorvane
