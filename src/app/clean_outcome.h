// SPDX-License-Identifier: MIT
#pragma once

#include "record/clean_record.h"

#include <QString>
#include <optional>

namespace sorvane {

/// What a background clean hands back: the record of a clean that ran, or the text of the
/// error that stopped it.
struct CleanOutcome {
    std::optional<CleanRecord> record;
    std::optional<QString> errorMessage;
};

} // namespace sorvane
