// SPDX-License-Identifier: MIT
#pragma once

#include "platform/file_services.h"

#include <filesystem>
#include <vector>

namespace sorvane::test {

/// One level of a folder's entries, each with its values read at once.
inline FileResult<std::vector<DirectoryEntry>> contentsOf(FileServices& files,
                                                          const std::filesystem::path& folder) {
    auto listing = files.listDirectory(folder);
    if (!listing)
        return listing.error();
    std::vector<DirectoryEntry> entries;
    entries.reserve(listing->names.size());
    for (const auto& name : listing->names)
        entries.push_back(listing->entryOf(name));
    return entries;
}

} // namespace sorvane::test
