// SPDX-License-Identifier: MIT
#pragma once

#include "platform/unique_fd.h"

#include <cstdint>
#include <filesystem>

namespace sorvane {

/// A folder held open on a file system before a batch of writes to it, so that one flush of
/// the whole file system afterwards makes them durable and tells of any of them that failed:
/// the kernel reports a failed write-back only to descriptors opened before it.
class FileSystemWatch {
public:
    FileSystemWatch(UniqueFd folder, std::filesystem::path path, std::uint64_t device)
        : m_folder(std::move(folder)), m_path(std::move(path)), m_device(device) {}

    int descriptor() const { return m_folder.get(); }
    const std::filesystem::path& path() const { return m_path; }
    std::uint64_t device() const { return m_device; }

private:
    UniqueFd m_folder;
    std::filesystem::path m_path;
    std::uint64_t m_device;
};

} // namespace sorvane
