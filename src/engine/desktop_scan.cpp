// SPDX-License-Identifier: MIT
#include "engine/desktop_scan.h"

#include "engine/desktop_order.h"
#include "engine/path_rules.h"

namespace sorvane {

CleanPreview ScannedDesktop::preview() const {
    CleanPreview preview;
    preview.eligible.reserve(eligible.size());
    for (const auto& item : eligible)
        preview.eligible.push_back(item.path);
    preview.skipped = skipped;
    preview.tagged = tagged;
    return preview;
}

DesktopScan::DesktopScan(FileServices& files, Clock now) : m_files(files), m_now(std::move(now)) {}

const NameSet& DesktopScan::standardNeverMove() {
    static const NameSet names{".DS_Store", ".localized", "Icon\r",
                               "Icon",      ".directory", ".hidden"};
    return names;
}

std::optional<CleanError> DesktopScan::placeProblem(const std::filesystem::path& desktop,
                                                    const CleanOptions& options) {
    if (!options.destination.is_absolute())
        return CleanError::destinationNotAbsolute(options.destination.native());
    if (PathRules::isSameOrInside(PathRules::standardized(desktop).native(),
                                  PathRules::standardized(options.destination).native()))
        return CleanError::desktopInsideArchive();
    return std::nullopt;
}

FileResult<ScannedDesktop> DesktopScan::scan(const std::filesystem::path& desktop,
                                             const CleanOptions& options) const {
    auto listing = m_files.contentsOfDirectory(desktop);
    if (!listing)
        return listing.error();
    auto entries = std::move(listing).value();
    DesktopOrder::sort(entries);

    const ItemClassifier classifier(m_files, desktop, options, standardNeverMove(), m_now);
    ScannedDesktop scanned;
    // The eligible items move up within the listing, which then becomes the list.
    std::size_t kept = 0;
    for (auto& entry : entries) {
        switch (classifier.classify(entry)) {
        case ItemVerdict::eligible:
            if (&entries[kept] != &entry)
                entries[kept] = std::move(entry);
            ++kept;
            break;
        case ItemVerdict::tagged:
            ++scanned.tagged;
            [[fallthrough]];
        case ItemVerdict::skipped:
            ++scanned.skipped;
            break;
        }
    }
    entries.resize(kept);
    scanned.eligible = std::move(entries);
    return scanned;
}

ItemVerdict DesktopScan::classify(const DirectoryEntry& item, const CleanOptions& options) const {
    return ItemClassifier(m_files, item.path.parent_path(), options, standardNeverMove(), m_now)
        .classify(item);
}

} // namespace sorvane
