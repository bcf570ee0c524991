// SPDX-License-Identifier: MIT
#pragma once

#include "record/clean_record.h"

#include <filesystem>
#include <vector>

namespace sorvane::bench {

/// A history at its largest: 60 runs of 1,000 moved screenshots each, newest first.
std::vector<CleanRecord> fullHistory();

/// Writes `fullHistory()` as "history.json" into `folder`, in the form the program writes.
void writeFullHistory(const std::filesystem::path& folder);

} // namespace sorvane::bench
