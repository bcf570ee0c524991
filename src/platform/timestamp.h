#pragma once

#include <chrono>

namespace sorvane {

// 64 bits of nanoseconds end in 2262 and begin in 1677, well within the times a file system
// keeps (ext4 and btrfs go to 2446 and beyond; a clock set wrong or an archive extracted from
// elsewhere gives such times any day). A file of 2400 must be filed under 2400, not under the
// year the count wrapped to.
__extension__ using TimestampCount = __int128;

/// An instant in nanoseconds since 1970, wide enough for any time a file system reports.
/// Converts from and to the system clock's time points implicitly, so the clock's `now()`
/// is a Timestamp as it stands.
using Timestamp = std::chrono::time_point<std::chrono::system_clock,
                                          std::chrono::duration<TimestampCount, std::nano>>;

} // namespace sorvane
