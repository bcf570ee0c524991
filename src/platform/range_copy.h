// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string_view>
#include <sys/types.h>

namespace sorvane {

/// Copies bytes between two open files inside the kernel where it can (`copy_file_range`),
/// else through a buffer. Once the kernel has said it cannot for a pair of files, it is not
/// asked again.
class RangeCopy {
public:
    struct Result {
        /// 0, or the errno that stopped the copy.
        int code = 0;
        /// Fewer than asked for when `from` ended first.
        off_t copied = 0;
    };

    /// `length` bytes of `from` at `offset` to `to` at `target`. `cancelled`, when given, is
    /// asked between pieces of a long range.
    Result copy(int from, off_t offset, int to, off_t target, off_t length,
                const std::function<bool()>& cancelled = {});

    /// All of `bytes` to `fd` at `offset`, through short writes and interruptions; 0 or the
    /// errno.
    static int writeAt(int fd, std::string_view bytes, off_t offset);

private:
    bool m_inKernel = true;
};

} // namespace sorvane
