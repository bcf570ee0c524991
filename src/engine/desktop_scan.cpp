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
    auto scan = start(desktop, options);
    if (!scan)
        return scan.error();
    return scan.value()->rest();
}

FileResult<std::unique_ptr<ScanAhead>> DesktopScan::start(const std::filesystem::path& desktop,
                                                          const CleanOptions& options) const {
    auto listing = m_files.listDirectory(desktop);
    if (!listing)
        return listing.error();
    auto listed = std::move(listing).value();
    DesktopOrder::sort(listed.names);
    return std::make_unique<ScanAhead>(
        std::move(listed),
        std::make_unique<ItemClassifier>(m_files, desktop, options, standardNeverMove(), m_now));
}

ItemVerdict DesktopScan::classify(const DirectoryEntry& item, const CleanOptions& options) const {
    return ItemClassifier(m_files, item.path.parent_path(), options, standardNeverMove(), m_now)
        .classify(item);
}

} // namespace sorvane
