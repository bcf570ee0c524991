#include "engine/desktop_cleaner.h"

#include "engine/desktop_order.h"
#include "engine/grouping_date.h"
#include "engine/path_rules.h"
#include "engine/undo_run.h"
#include "platform/timestamp.h"

namespace sorvane {

DesktopCleaner::DesktopCleaner(FileServices& files, Clock now)
    : m_files(files), m_neverMove(standardNeverMove()),
      m_now(now ? std::move(now) : Clock(systemClock)) {}

const NameSet& DesktopCleaner::standardNeverMove() {
    static const NameSet names{".DS_Store", ".localized", "Icon\r",
                               "Icon",      ".directory", ".hidden"};
    return names;
}

CleanPreview DesktopCleaner::preview(const CleanOptions& options) const {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return {};
    auto result = scan(*desktop, options);
    return result ? std::move(result).value() : CleanPreview{};
}

std::variant<CleanPreview, CleanError> DesktopCleaner::examine(const CleanOptions& options) const {
    const auto desktop = m_files.desktopDirectory();
    if (!desktop)
        return CleanError::noDesktop();
    if (auto problem = placeProblem(*desktop, options))
        return *problem;
    auto result = scan(*desktop, options);
    if (!result)
        return CleanError::desktopUnreadable();
    return std::move(result).value();
}

std::optional<CleanError> DesktopCleaner::placeProblem(const std::filesystem::path& desktop,
                                                       const CleanOptions& options) {
    if (!options.destination.is_absolute())
        return CleanError::destinationNotAbsolute(options.destination.native());
    if (PathRules::isSameOrInside(PathRules::standardized(desktop).native(),
                                  PathRules::standardized(options.destination).native()))
        return CleanError::desktopInsideArchive();
    return std::nullopt;
}

FileResult<CleanPreview> DesktopCleaner::scan(const std::filesystem::path& desktop,
                                              const CleanOptions& options) const {
    auto listing = m_files.contentsOfDirectory(desktop);
    if (!listing)
        return listing.error();
    auto entries = std::move(listing).value();
    DesktopOrder::sort(entries);

    const ItemClassifier classifier(m_files, desktop, options, m_neverMove, m_now);
    CleanPreview preview;
    for (auto& entry : entries) {
        switch (classifier.classify(entry)) {
        case ItemVerdict::eligible:
            preview.eligible.push_back(std::move(entry.path));
            break;
        case ItemVerdict::tagged:
            ++preview.tagged;
            [[fallthrough]];
        case ItemVerdict::skipped:
            ++preview.skipped;
            break;
        }
    }
    return preview;
}

ItemVerdict DesktopCleaner::classify(const DirectoryEntry& item,
                                     const CleanOptions& options) const {
    return ItemClassifier(m_files, item.path.parent_path(), options, m_neverMove, m_now)
        .classify(item);
}

Timestamp DesktopCleaner::groupingDate(const std::filesystem::path& item, DateBasis basis,
                                       Timestamp cleanDate) const {
    if (basis == DateBasis::cleaned)
        return cleanDate;
    auto values = m_files.resourceValues(item);
    return sorvane::groupingDate(values ? std::optional(*values) : std::nullopt, basis, cleanDate);
}

} // namespace sorvane

namespace sorvane {

CleanResult DesktopCleaner::clean(const CleanOptions& options, CleanTrigger trigger,
                                  CleanObserver* observer) const {
    return CleanRun(*this, m_files, options, trigger, observer).run();
}

UndoResult DesktopCleaner::undo(const CleanRecord& record, const std::filesystem::path& archive,
                                UndoObserver* observer,
                                const std::optional<std::string>& archiveBookmark) const {
    return UndoRun(m_files, m_now, observer).run(record, archive, archiveBookmark);
}

} // namespace sorvane
