// SPDX-License-Identifier: MIT
#include "platform/file_services.h"

namespace sorvane {

FileResult<std::vector<DirectoryEntry>>
FileServices::contentsOfDirectory(const std::filesystem::path& folder) {
    auto listing = listDirectory(folder);
    if (!listing)
        return listing.error();
    auto [entries, readValues] = std::move(listing).value();
    for (auto& entry : entries)
        readValues(entry);
    return std::move(entries);
}

} // namespace sorvane
