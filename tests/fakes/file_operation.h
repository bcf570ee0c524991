// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane::test {

/// The operations of FileServices, one each, for choosing which to fail or count.
enum class FileOperation {
    desktopDirectory,
    listDirectory,
    directoryHoldsOnly,
    resourceValues,
    identity,
    identityFollowingLinks,
    createDirectory,
    moveItem,
    snapshotItem,
    copyItem,
    syncFolder,
    watchFileSystem,
    syncFileSystem,
    removeItem,
    removeSnapshot,
    trashItem,
    fileExists,
};

inline constexpr int fileOperationCount = static_cast<int>(FileOperation::fileExists) + 1;

} // namespace sorvane::test
