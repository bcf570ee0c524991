// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"

#include <filesystem>
#include <functional>

namespace sorvane {

/// The info file a trashing has written and not yet paired with its item: the item moves
/// under files/ only after it. Killed in between, it stays behind alone, and only the one
/// who knows its identity can tell it from another program's leftover.
struct TrashReservation {
    std::filesystem::path infoFile;
    FileIdentity identity;

    /// Where the item goes under files/; none for a path that is no trash's info file.
    std::filesystem::path trashedItem() const {
        if (infoFile.extension() != ".trashinfo" || infoFile.parent_path().filename() != "info")
            return {};
        return infoFile.parent_path().parent_path() / "files" / infoFile.stem();
    }
};

/// Hears a reservation before the item moves; false gives the trashing up (the info file
/// goes again), as when it cannot be noted.
using TrashReservationListener = std::function<bool(const TrashReservation&)>;

} // namespace sorvane
