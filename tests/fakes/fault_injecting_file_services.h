// SPDX-License-Identifier: MIT
#pragma once

#include "fakes/file_operation.h"
#include "platform/file_services.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sorvane::test {

/// Wraps real file services and makes chosen operations fail, reports chosen sizes, lets a
/// folder vanish part-way through, and counts every call. Not thread-safe.
///
/// Operations without an error in their result fail their own way: desktopDirectory and
/// identity and identityFollowingLinks give none, fileExists gives false.
class FaultInjectingFileServices : public FileServices {
public:
    explicit FaultInjectingFileServices(FileServices& real);

    /// Makes `operation` fail with errno `code` on `path` (for a move or copy, its source or
    /// its target), or on every call when `path` is none; only for the first `times`
    /// matching calls when given. Without `message`, the message reads as the real
    /// services would word it. A later fault for the same calls takes precedence.
    void failOn(FileOperation operation, std::optional<std::filesystem::path> path, int code,
                std::optional<int> times = std::nullopt, std::string message = {});
    void clearFaults();

    /// Reported as the file size of `item` by resourceValues and a listing's values, as if
    /// the file had that size: a copy "of the wrong size".
    void reportFileSize(const std::filesystem::path& item, std::uint64_t size);
    /// The tags of `item` read as failed (as after EIO) by resourceValues and a
    /// listing's values.
    void failTagReadOf(const std::filesystem::path& item);
    /// Called with each item whose values a listing is about to read, on the thread that
    /// reads them.
    void beforeValuesOf(std::function<void(const std::filesystem::path&)> hook);
    /// Every file copied from now on loses its last byte, as on a disk that drops writes.
    void shortenCopies();

    /// The Desktop that desktopDirectory reports, none included, instead of the real one.
    void setDesktopDirectory(std::optional<std::filesystem::path> folder);
    /// Once `mutatingOperations` more creations, moves, copies, removals or trashings have
    /// run (0: at once), `root` is renamed to a hidden sibling, so that it no longer exists
    /// and everything below it fails as on an unplugged disk. Returns where it went, once
    /// it has.
    void vanishAfter(const std::filesystem::path& root, int mutatingOperations);
    std::optional<std::filesystem::path> vanishedTo() const { return m_vanishedTo; }

    /// Called after every creation, move, copy, removal or trashing: a place to stop the
    /// process at a chosen instant.
    void afterEachChange(std::function<void()> hook);

    int callCount(FileOperation operation) const;

    std::optional<std::filesystem::path> desktopDirectory() override;
    FileResult<DirectoryListing> listDirectory(const std::filesystem::path& folder) override;
    FileResult<bool> directoryHoldsOnly(const std::filesystem::path& folder,
                                        const std::string& allowedName) override;
    FileResult<ResourceValues> resourceValues(const std::filesystem::path& item) override;
    std::optional<FileIdentity> identity(const std::filesystem::path& item) override;
    std::optional<FileIdentity> identityFollowingLinks(const std::filesystem::path& path) override;
    FileStatus createDirectory(const std::filesystem::path& folder) override;
    FileStatus moveItem(const std::filesystem::path& source,
                        const std::filesystem::path& target) override;
    FileResult<TreeSnapshot> snapshotItem(const std::filesystem::path& item) override;
    FileStatus copyItem(const std::filesystem::path& source, const std::filesystem::path& target,
                        const TreeSnapshot& snapshot, const std::function<bool()>& cancelled,
                        CopyDurability durability) override;
    FileStatus syncFolder(const std::filesystem::path& folder) override;
    FileResult<FileSystemWatch> watchFileSystem(const std::filesystem::path& folder) override;
    FileStatus syncFileSystem(const FileSystemWatch& watch) override;
    FileStatus removeItem(const std::filesystem::path& item) override;
    FileStatus removeSnapshot(const std::filesystem::path& item,
                              const TreeSnapshot& snapshot) override;
    FileStatus trashItem(const std::filesystem::path& item,
                         const TrashReservationListener& reserved) override;
    bool fileExists(const std::filesystem::path& path) override;
    /// Fails and counts as createDirectory.
    FileStatus createFolder(const std::filesystem::path& folder,
                            const std::filesystem::path& accessOf) override;

private:
    struct Fault {
        FileOperation operation;
        std::optional<std::filesystem::path> path;
        int code;
        std::optional<int> remaining;
        std::string message;
    };

    /// Counts the call and gives the error of the fault that applies, if any.
    std::optional<FileError> call(FileOperation operation, const std::filesystem::path& path,
                                  const std::filesystem::path& other = {});
    void mutated();
    void adjustValues(const std::filesystem::path& item, ResourceValues& values) const;

    FileServices& m_real;
    std::vector<Fault> m_faults;
    std::map<std::filesystem::path, std::uint64_t> m_fileSizes;
    std::set<std::filesystem::path> m_unreadableTags;
    std::function<void(const std::filesystem::path&)> m_beforeValues;
    bool m_shortenCopies = false;
    std::function<void()> m_afterEachChange;
    std::optional<std::optional<std::filesystem::path>> m_desktop;
    std::optional<std::filesystem::path> m_vanishing;
    int m_mutationsBeforeVanishing = 0;
    std::optional<std::filesystem::path> m_vanishedTo;
    /// Guards the faults and counts: a run reads identities ahead on a thread of its own.
    mutable std::mutex m_callMutex;
    std::array<int, fileOperationCount> m_calls{};
};

} // namespace sorvane::test
