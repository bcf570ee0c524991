// SPDX-License-Identifier: MIT
#pragma once

#include "history/file_mapping.h"
#include "platform/durable_file.h"
#include "platform/file_error.h"
#include "platform/unique_fd.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sorvane {

/// The version of the history file that the runs in memory point into, held open so that it
/// stays readable when the file is replaced, and checked against changes made in place.
class IndexedFile {
public:
    /// Opens `path` and reads it whole; the bytes are this version's. They come mapped
    /// (the file is read only once, and nothing of it stays in memory once the mapping goes)
    /// or, where the file cannot be mapped, in `copy`.
    FileResult<std::string_view> open(const std::filesystem::path& path, FileMapping& mapping,
                                      std::string& copy);
    /// Opens `path` without reading it: a version whose layout the caller knows, as it has
    /// just written it.
    FileStatus hold(const std::filesystem::path& path);
    void close() { m_fd.reset(); }

    /// `length` bytes at `offset` appended to `bytes`. Fails when the file was changed in place
    /// since it was opened (its size or time differ).
    FileStatus appendRange(std::size_t offset, std::size_t length, std::string& bytes) const;
    /// The same bytes given to `output`, copied from file to file.
    FileStatus copyRange(std::size_t offset, std::size_t length, DurableFile::Output& output) const;

private:
    bool unchanged() const;

    std::filesystem::path m_path;
    UniqueFd m_fd;
    std::int64_t m_size = -1, m_modifiedNs = 0;
};

} // namespace sorvane
