// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/tree_snapshot.h"

#include <optional>

namespace sorvane {

/// Whether the original of an item could be removed once it is copied elsewhere, judged from
/// its snapshot before anything is copied: a copy whose original must stay would leave a
/// duplicate behind. Advisory only (ACLs, a mount made read-only meanwhile, EBUSY are not
/// foreseen), so the removal itself still stops safely at what resists.
class RemovalCheck {
public:
    /// What would keep an entry in place, or none.
    static std::optional<FileError> obstacle(const TreeSnapshot& snapshot);

private:
    static bool mayChange(const TreeSnapshot& snapshot, const SnapshotEntry& folder);
    static bool mayRemoveFrom(const TreeSnapshot& snapshot, const SnapshotEntry& folder,
                              const SnapshotEntry& entry);
};

} // namespace sorvane
