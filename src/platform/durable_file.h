// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_error.h"

#include <filesystem>
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
