// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>
#include <unicode/utypes.h>

#ifdef QT_CORE_LIB
#include <QDateTime>
#endif

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

/// What tells the current time; passed in, so that tests can set it.
using Clock = std::function<Timestamp()>;

/// The system's wall clock: the Clock of the running program.
inline Timestamp systemClock() {
    return std::chrono::system_clock::now();
}

/// ICU's milliseconds since 1970.
inline UDate toUDate(Timestamp time) {
    return std::chrono::duration<double, std::milli>(time.time_since_epoch()).count();
}

inline Timestamp fromUDate(UDate date) {
    return Timestamp(std::chrono::duration_cast<Timestamp::duration>(
        std::chrono::duration<double, std::milli>(date)));
}

#ifdef QT_CORE_LIB
// Only where Qt is: the engine and the records are built without it.

inline QDateTime toDateTime(Timestamp time) {
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count(),
        Qt::UTC);
}

inline Timestamp fromDateTime(const QDateTime& date) {
    return Timestamp(std::chrono::milliseconds(date.toMSecsSinceEpoch()));
}
#endif

} // namespace sorvane
