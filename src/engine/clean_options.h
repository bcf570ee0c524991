// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

/// One archive sub-folder per calendar month or per calendar day.
enum class GroupingStyle { month, day };
inline constexpr std::array allGroupingStyles{GroupingStyle::month, GroupingStyle::day};

/// Which date of an item decides its sub-folder.
enum class DateBasis { created, modified, cleaned };
inline constexpr std::array allDateBases{DateBasis::created, DateBasis::modified,
                                         DateBasis::cleaned};

std::string_view rawValue(GroupingStyle grouping);
std::string_view rawValue(DateBasis basis);
std::optional<GroupingStyle> groupingStyleFromRaw(std::string_view raw);
std::optional<DateBasis> dateBasisFromRaw(std::string_view raw);

/// What the engine is told to do; a plain value copied into every background job.
struct CleanOptions {
    std::filesystem::path destination;
    GroupingStyle grouping = GroupingStyle::month;
    DateBasis dateBasis = DateBasis::created;
    std::int64_t keepRecentDays = 0;
    bool includeHidden = false;
    bool moveFolders = true;
    bool keepTaggedFiles = true;
    /// The archive's folder bookmark, which knows the device the archive was on: a root that
    /// is missing is made again only on that device, never in the empty mount point of a
    /// drive that is away. None when the archive has no bookmark.
    std::optional<std::string> destinationBookmark;

    friend bool operator==(const CleanOptions&, const CleanOptions&) = default;
};

} // namespace sorvane
