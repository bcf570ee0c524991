// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"
#include "platform/range_copy.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace sorvane {

/// Whole-file reads and writes for the small files the program keeps (history, preferences).
///
/// A write never leaves a half-written file behind: the bytes go to a fresh temporary file
/// in the same folder, are flushed to the disk, and only then replace the old file in one
/// rename, after which the folder is flushed too, so that a power cut shows either the old
/// or the new contents.
///
/// These files are the user's own records: a new file is readable and writable by its owner
/// only, and an existing one keeps its permissions as far as they stay within that.
class DurableFile {
public:
    /// All bytes of the file.
    static FileResult<std::string> read(const std::filesystem::path& path);

    /// Replaces the file's contents with `bytes`. On failure the old file is as it was and no
    /// temporary file remains. `path` must not be a symbolic link (see `resolved`).
    static FileStatus write(const std::filesystem::path& path, std::string_view bytes);

    /// Where the bytes of a file being replaced go, in order from its start.
    class Output {
    public:
        Output(int fd, const std::filesystem::path& path) : m_fd(fd), m_path(path) {}
        FileStatus text(std::string_view bytes);
        /// `length` bytes of the open file `from` at `offset`, copied by the kernel where
        /// it can: a large unchanged part of the old version need not pass through memory.
        /// A `from` that ends early is an error against `fromPath`.
        FileStatus copy(int from, off_t offset, off_t length,
                        const std::filesystem::path& fromPath);
        std::size_t size() const { return m_size; }

    private:
        int m_fd;
        const std::filesystem::path& m_path;
        std::size_t m_size = 0;
        RangeCopy m_ranges;
    };

    /// As `write`, with the bytes given to the `Output` by `fill`; a failure of `fill` is
    /// given back as it is.
    static FileStatus write(const std::filesystem::path& path,
                            const std::function<FileStatus(Output&)>& fill);

    /// Keeps the file's current bytes under `path` + `suffix` ("history.json.unreadable"), or
    /// `path` + `suffix` + ".2", ".3", … when that name is taken. Never replaces anything and
    /// leaves the file itself in place. Gives the name the bytes were kept under.
    static FileResult<std::filesystem::path> keepAside(const std::filesystem::path& path,
                                                       std::string_view suffix);

    /// Makes `folder` and its parents. A new `folder` is its owner's only (0700): it holds
    /// the program's private files; parents and existing folders are left as they are.
    static void makeFolder(const std::filesystem::path& folder);

    /// The file a symbolic link at `path` leads to (a dotfiles manager's link into its own
    /// folder), else `path`: writing there keeps the link a link.
    static std::filesystem::path resolved(const std::filesystem::path& path);
};

} // namespace sorvane
