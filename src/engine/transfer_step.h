// SPDX-License-Identifier: MIT
#pragma once

#include "platform/resource_values.h"
#include "platform/tree_snapshot.h"

#include <filesystem>

namespace sorvane {

/// Where a move across file systems stands. Each state is announced before the work it
/// names begins, so that a journal of them tells what a kill can have left half-done:
///
/// - `copying`: the copy is being made under `temporary`, or is about to be; the original is
///   untouched.
/// - `copied`: the copy under `temporary` is complete and verified and is about to take the
///   name `target`, not yet durable; the original is still untouched.
/// - `removing`: the copy is at `target` and durable, and the entries of `snapshot` are
///   being removed from the original.
struct TransferStep {
    enum class State { copying, copied, removing };

    State state = State::copying;
    std::filesystem::path source;
    std::filesystem::path temporary;
    std::filesystem::path target;
    FileIdentity sourceIdentity;
    /// Known from `copied` on.
    FileIdentity copyIdentity;
    const TreeSnapshot* snapshot = nullptr;
};

} // namespace sorvane
