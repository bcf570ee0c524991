#pragma once

#include "platform/file_services.h"

#include <filesystem>
#include <functional>
#include <string>

namespace sorvane {

/// Moves one item without ever losing it, for the clean run and the undo alike: a rename
/// where it can be done, else a copy that is verified before the original is removed.
class ItemTransfer {
public:
    using Clock = std::function<Timestamp()>;

    ItemTransfer(FileServices& files, Clock now);

    /// A path in `folder` for an item called `name` at which nothing exists: the name
    /// itself, else "name 2", "name 3"… before the extension, up to 999, else the name with
    /// the current time. Fails when a numbered name would be longer than a file name may be.
    FileResult<std::filesystem::path> uniqueDestination(const std::string& name,
                                                        const std::filesystem::path& folder) const;

    /// Moves `source` to `target`. Across file systems it copies to a hidden temporary name
    /// beside the target, verifies the copy, gives it its name and only then removes the
    /// source; a source that changed meanwhile is left alone.
    FileStatus transfer(const std::filesystem::path& source,
                        const std::filesystem::path& target) const;

    /// Moves `source` into `folder` under `name`, or under the first free numbered name
    /// when that is taken, and gives where it went. `willMove`, when given, hears each
    /// target before anything is tried for it.
    ///
    /// The plain name is tried by the move itself, which never replaces anything: in the
    /// usual case that costs one system call where looking first would cost two.
    FileResult<std::filesystem::path> transferToFreeName(
        const std::filesystem::path& source, const std::filesystem::path& folder,
        const std::string& name,
        const std::function<void(const std::filesystem::path&)>& willMove = {}) const;

    /// Whether a copy agrees with its original in kind and size (entry count and total size
    /// for folders). Contents are not read.
    bool copiesMatch(const std::filesystem::path& source, const std::filesystem::path& copy) const;

private:
    FileStatus copyAcross(const std::filesystem::path& source,
                          const std::filesystem::path& target) const;

    FileServices& m_files;
    Clock m_now;
};

} // namespace sorvane
