// SPDX-License-Identifier: MIT
#pragma once

#include "engine/clean_options.h"
#include "platform/file_services.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unicode/calendar.h>
#include <vector>

namespace sorvane {

/// Item names, looked up by the name part of a path without copying it.
using NameSet = std::set<std::string, std::less<>>;

enum class ItemVerdict { eligible, skipped, tagged };

/// Decides for each Desktop item whether a clean moves it. Made once per scan: what it
/// learns about the Desktop and the archive holds for every item of that scan.
class ItemClassifier {
public:
    using Clock = sorvane::Clock;

    ItemClassifier(FileServices& files, const std::filesystem::path& desktop,
                   const CleanOptions& options, const NameSet& neverMove, Clock now);
    ~ItemClassifier();

    ItemVerdict classify(const DirectoryEntry& item) const;

private:
    bool staysForItsKind(const DirectoryEntry& item, std::string_view name) const;
    bool isArchiveOrHoldsIt(const DirectoryEntry& item, std::string_view name) const;
    bool isRecent(const ResourceValues& values) const;

    const CleanOptions& m_options;
    const NameSet& m_neverMove;
    Clock m_now;
    std::string m_archiveRoot;
    std::string m_desktop;
    std::optional<FileIdentity> m_desktopIdentity;
    std::vector<FileIdentity> m_archiveAndAncestors;
    bool m_desktopInsideArchive = false;
    std::unique_ptr<icu::Calendar> m_calendar;
};

} // namespace sorvane
