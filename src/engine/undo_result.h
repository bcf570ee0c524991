// SPDX-License-Identifier: MIT
#pragma once

#include "record/moved_file.h"

#include <string>
#include <vector>

namespace sorvane {

/// What an undo put back, what is still in the archive, and one line per item not put back.
/// An item whose archived copy is gone is in neither list; it has only its error line.
struct UndoResult {
    std::vector<MovedFile> restored;
    std::vector<MovedFile> remaining;
    std::vector<std::string> errors;

    friend bool operator==(const UndoResult&, const UndoResult&) = default;
};

} // namespace sorvane
