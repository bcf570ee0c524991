// SPDX-License-Identifier: MIT
#include "platform/range_copy.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

// copy_file_range answers these when the kernel or the pair of file systems cannot do it;
// since Linux 5.19 that includes any two file systems of different types.
bool unavailable(int code) {
    return code == EXDEV || code == EINVAL || code == ENOSYS || code == EOPNOTSUPP ||
           code == EBADF || code == ETXTBSY;
}

} // namespace

RangeCopy::Result RangeCopy::copy(int from, off_t offset, int to, off_t target, off_t length,
                                  const std::function<bool()>& cancelled) {
    constexpr off_t piece = 8 << 20;
    std::vector<char> buffer;
    Result result;
    while (result.copied < length) {
        if (cancelled && cancelled())
            return {ECANCELED, result.copied};
        const auto want = static_cast<std::size_t>(std::min(piece, length - result.copied));
        off_t in = offset + result.copied;
        off_t out = target + result.copied;
        ssize_t copied = -1;
        if (m_inKernel) {
            copied = copy_file_range(from, &in, to, &out, want, 0);
            if (copied < 0 && unavailable(errno))
                m_inKernel = false;
            else if (copied < 0 && errno != EINTR)
                return {errno, result.copied};
        }
        if (!m_inKernel) {
            buffer.resize(std::min<std::size_t>(want, 256 * 1024));
            copied = pread(from, buffer.data(), buffer.size(), in);
            if (copied < 0 && errno != EINTR)
                return {errno, result.copied};
            if (copied > 0)
                if (const int code = writeAt(to, {buffer.data(), std::size_t(copied)}, out))
                    return {code, result.copied};
        }
        if (copied == 0)
            return result;
        result.copied += std::max<ssize_t>(copied, 0);
    }
    return result;
}

int RangeCopy::writeAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno != EINTR)
            return errno;
        bytes.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
        offset += std::max<ssize_t>(written, 0);
    }
    return 0;
}

} // namespace sorvane
