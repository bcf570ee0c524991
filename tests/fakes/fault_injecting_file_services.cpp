// SPDX-License-Identifier: MIT
#include "fakes/fault_injecting_file_services.h"

#include "platform/normalised_path.h"
#include "platform/posix_error.h"

#include <cstdio>

namespace sorvane::test {
namespace {

const char* verb(FileOperation operation) {
    switch (operation) {
    case FileOperation::listDirectory:
    case FileOperation::directoryHoldsOnly:
        return "list the contents of";
    case FileOperation::resourceValues:
        return "read the properties of";
    case FileOperation::createDirectory:
        return "create the folder";
    case FileOperation::moveItem:
    case FileOperation::trashItem:
        return "move";
    case FileOperation::copyItem:
        return "copy";
    case FileOperation::removeItem:
    case FileOperation::removeSnapshot:
        return "remove";
    case FileOperation::snapshotItem:
        return "read";
    case FileOperation::syncFolder:
    case FileOperation::watchFileSystem:
    case FileOperation::syncFileSystem:
        return "save";
    default:
        return "reach";
    }
}

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    return !a.empty() && normalisedPath(a) == normalisedPath(b);
}

} // namespace

FaultInjectingFileServices::FaultInjectingFileServices(FileServices& real) : m_real(real) {}

void FaultInjectingFileServices::failOn(FileOperation operation,
                                        std::optional<std::filesystem::path> path, int code,
                                        std::optional<int> times, std::string message) {
    const std::lock_guard lock(m_callMutex);
    m_faults.push_back({operation, std::move(path), code, times, std::move(message)});
}

void FaultInjectingFileServices::clearFaults() {
    const std::lock_guard lock(m_callMutex);
    m_faults.clear();
}

void FaultInjectingFileServices::reportFileSize(const std::filesystem::path& item,
                                                std::uint64_t size) {
    m_fileSizes[normalisedPath(item)] = size;
}

void FaultInjectingFileServices::failTagReadOf(const std::filesystem::path& item) {
    m_unreadableTags.insert(normalisedPath(item));
}

void FaultInjectingFileServices::beforeValuesOf(
    std::function<void(const std::filesystem::path&)> hook) {
    m_beforeValues = std::move(hook);
}

void FaultInjectingFileServices::shortenCopies() {
    m_shortenCopies = true;
}

void FaultInjectingFileServices::setDesktopDirectory(std::optional<std::filesystem::path> folder) {
    m_desktop = std::move(folder);
}

void FaultInjectingFileServices::vanishAfter(const std::filesystem::path& root,
                                             int mutatingOperations) {
    m_vanishing = normalisedPath(root);
    m_mutationsBeforeVanishing = mutatingOperations;
    m_vanishedTo.reset();
    if (mutatingOperations <= 0)
        mutated();
}

void FaultInjectingFileServices::afterEachChange(std::function<void()> hook) {
    m_afterEachChange = std::move(hook);
}

int FaultInjectingFileServices::callCount(FileOperation operation) const {
    const std::lock_guard lock(m_callMutex);
    return m_calls[static_cast<int>(operation)];
}

std::optional<FileError> FaultInjectingFileServices::call(FileOperation operation,
                                                          const std::filesystem::path& path,
                                                          const std::filesystem::path& other) {
    const std::lock_guard lock(m_callMutex);
    ++m_calls[static_cast<int>(operation)];
    for (auto fault = m_faults.rbegin(); fault != m_faults.rend(); ++fault) {
        if (fault->operation != operation || (fault->remaining && *fault->remaining <= 0))
            continue;
        if (fault->path && !samePath(path, *fault->path) && !samePath(other, *fault->path))
            continue;
        if (fault->remaining)
            --*fault->remaining;
        if (!fault->message.empty())
            return FileError{fault->code, fault->message};
        return posixError(verb(operation), path, fault->code,
                          operation == FileOperation::trashItem ? " to the Trash" : "");
    }
    return std::nullopt;
}

// Counted after the operation ran, so that "vanish after 2" lets exactly two through.
void FaultInjectingFileServices::mutated() {
    if (m_afterEachChange)
        m_afterEachChange();
    if (!m_vanishing || m_vanishedTo)
        return;
    if (--m_mutationsBeforeVanishing > 0)
        return;
    const auto root = *m_vanishing;
    auto hidden = root.parent_path() / ("." + root.filename().string() + ".vanished");
    for (int n = 2; m_real.fileExists(hidden); ++n)
        hidden = root.parent_path() /
                 ("." + root.filename().string() + ".vanished-" + std::to_string(n));
    if (std::rename(root.c_str(), hidden.c_str()) == 0)
        m_vanishedTo = hidden;
}

void FaultInjectingFileServices::adjustValues(const std::filesystem::path& item,
                                              ResourceValues& values) const {
    if (const auto size = m_fileSizes.find(normalisedPath(item)); size != m_fileSizes.end())
        values.fileSize = size->second;
    if (m_unreadableTags.contains(normalisedPath(item)))
        values.tagNames.reset();
}

std::optional<std::filesystem::path> FaultInjectingFileServices::desktopDirectory() {
    if (call(FileOperation::desktopDirectory, {}))
        return std::nullopt;
    if (m_desktop)
        return *m_desktop;
    return m_real.desktopDirectory();
}

FileResult<DirectoryListing>
FaultInjectingFileServices::listDirectory(const std::filesystem::path& folder) {
    if (auto error = call(FileOperation::listDirectory, folder))
        return *error;
    auto listing = m_real.listDirectory(folder);
    if (!listing)
        return listing;
    auto adjusted = std::move(listing).value();
    adjusted.entryOf = [this, folder, real = std::move(adjusted.entryOf)](const std::string& name) {
        if (m_beforeValues)
            m_beforeValues(folder / name);
        auto entry = real(name);
        if (entry.values)
            adjustValues(entry.path, *entry.values);
        return entry;
    };
    return adjusted;
}

FileResult<bool> FaultInjectingFileServices::directoryHoldsOnly(const std::filesystem::path& folder,
                                                                const std::string& allowedName) {
    if (auto error = call(FileOperation::directoryHoldsOnly, folder))
        return *error;
    return m_real.directoryHoldsOnly(folder, allowedName);
}

FileResult<ResourceValues>
FaultInjectingFileServices::resourceValues(const std::filesystem::path& item) {
    if (auto error = call(FileOperation::resourceValues, item))
        return *error;
    auto values = m_real.resourceValues(item);
    if (!values)
        return values;
    auto adjusted = std::move(values).value();
    adjustValues(item, adjusted);
    return adjusted;
}

std::optional<FileIdentity>
FaultInjectingFileServices::identity(const std::filesystem::path& item) {
    if (call(FileOperation::identity, item))
        return std::nullopt;
    return m_real.identity(item);
}

std::optional<FileIdentity>
FaultInjectingFileServices::identityFollowingLinks(const std::filesystem::path& path) {
    if (call(FileOperation::identityFollowingLinks, path))
        return std::nullopt;
    return m_real.identityFollowingLinks(path);
}

FileStatus FaultInjectingFileServices::createDirectory(const std::filesystem::path& folder) {
    auto error = call(FileOperation::createDirectory, folder);
    FileStatus status = error ? FileStatus(*error) : m_real.createDirectory(folder);
    mutated();
    return status;
}

FileStatus FaultInjectingFileServices::createFolder(const std::filesystem::path& folder,
                                                    const std::filesystem::path& accessOf) {
    auto error = call(FileOperation::createDirectory, folder);
    FileStatus status = error ? FileStatus(*error) : m_real.createFolder(folder, accessOf);
    mutated();
    return status;
}

FileStatus FaultInjectingFileServices::moveItem(const std::filesystem::path& source,
                                                const std::filesystem::path& target) {
    auto error = call(FileOperation::moveItem, source, target);
    FileStatus status = error ? FileStatus(*error) : m_real.moveItem(source, target);
    mutated();
    return status;
}

FileResult<TreeSnapshot>
FaultInjectingFileServices::snapshotItem(const std::filesystem::path& item) {
    if (auto error = call(FileOperation::snapshotItem, item))
        return *error;
    return m_real.snapshotItem(item);
}

FileStatus FaultInjectingFileServices::copyItem(const std::filesystem::path& source,
                                                const std::filesystem::path& target,
                                                const TreeSnapshot& snapshot,
                                                const std::function<bool()>& cancelled,
                                                CopyDurability durability) {
    auto error = call(FileOperation::copyItem, source, target);
    FileStatus status = error ? FileStatus(*error)
                              : m_real.copyItem(source, target, snapshot, cancelled, durability);
    std::error_code ignored;
    if (status && m_shortenCopies && std::filesystem::is_regular_file(target, ignored))
        std::filesystem::resize_file(target, std::filesystem::file_size(target) - 1, ignored);
    mutated();
    return status;
}

FileStatus FaultInjectingFileServices::syncFolder(const std::filesystem::path& folder) {
    if (auto error = call(FileOperation::syncFolder, folder))
        return *error;
    return m_real.syncFolder(folder);
}

FileResult<FileSystemWatch>
FaultInjectingFileServices::watchFileSystem(const std::filesystem::path& folder) {
    if (auto error = call(FileOperation::watchFileSystem, folder))
        return *error;
    return m_real.watchFileSystem(folder);
}

FileStatus FaultInjectingFileServices::syncFileSystem(const FileSystemWatch& watch) {
    if (auto error = call(FileOperation::syncFileSystem, watch.path()))
        return *error;
    return m_real.syncFileSystem(watch);
}

FileStatus FaultInjectingFileServices::removeItem(const std::filesystem::path& item) {
    auto error = call(FileOperation::removeItem, item);
    FileStatus status = error ? FileStatus(*error) : m_real.removeItem(item);
    mutated();
    return status;
}

FileStatus FaultInjectingFileServices::removeSnapshot(const std::filesystem::path& item,
                                                      const TreeSnapshot& snapshot) {
    auto error = call(FileOperation::removeSnapshot, item);
    FileStatus status = error ? FileStatus(*error) : m_real.removeSnapshot(item, snapshot);
    mutated();
    return status;
}

FileStatus FaultInjectingFileServices::trashItem(const std::filesystem::path& item,
                                                 const TrashReservationListener& reserved) {
    auto error = call(FileOperation::trashItem, item);
    FileStatus status = error ? FileStatus(*error) : m_real.trashItem(item, reserved);
    mutated();
    return status;
}

bool FaultInjectingFileServices::fileExists(const std::filesystem::path& path) {
    if (call(FileOperation::fileExists, path))
        return false;
    return m_real.fileExists(path);
}

} // namespace sorvane::test
