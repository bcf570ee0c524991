// SPDX-License-Identifier: MIT
#include "platform/hidden_names.h"

#include "platform/unique_fd.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

// A listing file larger than this is not a list of names someone keeps by hand.
constexpr off_t largestHiddenFile = 1 << 20;

} // namespace

HiddenNames::HiddenNames(int folderFd) {
    // O_NONBLOCK: a FIFO called .hidden must not hang the listing; it fails the regular-file
    // check below instead.
    UniqueFd file(openat(folderFd, ".hidden", O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid())
        return;
    struct stat status;
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
        status.st_size > largestHiddenFile)
        return;
    std::string text(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t got = read(file.get(), text.data() + done, text.size() - done);
        if (got <= 0)
            break;
        done += got;
    }
    text.resize(done);
    *this = fromText(text);
}

HiddenNames HiddenNames::fromText(std::string_view text) {
    HiddenNames result;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.empty())
            result.m_names.emplace_back(line);
    }
    std::sort(result.m_names.begin(), result.m_names.end());
    return result;
}

bool HiddenNames::contains(std::string_view name) const {
    return std::binary_search(m_names.begin(), m_names.end(), name);
}

} // namespace sorvane
