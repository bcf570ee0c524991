// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>

namespace sorvane {

/// How many items a run announces at once, in one journal write and flush, before any of
/// them moves, when its batch begins with item number `start`: 256 first, so that a small
/// run costs little and the first moves come soon, then more as the run goes on (256, 512,
/// 1,024 … up to 4,096), so that a large run flushes its journal a few times in all.
constexpr std::size_t batchSizeAt(std::size_t start) {
    return std::min<std::size_t>(4096, start + 256);
}

} // namespace sorvane
