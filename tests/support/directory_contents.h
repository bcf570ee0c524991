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
    auto [entries, readValues] = std::move(listing).value();
    for (auto& entry : entries)
        readValues(entry);
    return std::move(entries);
}

} // namespace sorvane::test
