#pragma once

#include "engine/clean_options.h"
#include "platform/file_services.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unicode/calendar.h>
#include <vector>

namespace sorvane {

enum class ItemVerdict { eligible, skipped, tagged };

/// Decides for each Desktop item whether a clean moves it. Made once per scan: what it
/// learns about the Desktop and the archive holds for every item of that scan.
class ItemClassifier {
public:
    using Clock = std::function<Timestamp()>;

    ItemClassifier(FileServices& files, const std::filesystem::path& desktop,
                   const CleanOptions& options, const std::set<std::string>& neverMove, Clock now);
    ~ItemClassifier();

    ItemVerdict classify(const DirectoryEntry& item) const;

private:
    bool staysForItsKind(const DirectoryEntry& item) const;
    bool isArchiveOrHoldsIt(const DirectoryEntry& item) const;
    bool isRecent(const ResourceValues& values) const;

    const CleanOptions& m_options;
    const std::set<std::string>& m_neverMove;
    Clock m_now;
    std::filesystem::path m_archiveRoot;
    std::optional<FileIdentity> m_desktopIdentity;
    std::vector<FileIdentity> m_archiveAndAncestors;
    bool m_desktopInsideArchive = false;
    std::unique_ptr<icu::Calendar> m_calendar;
};

} // namespace sorvane
