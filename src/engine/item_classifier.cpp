// SPDX-License-Identifier: MIT
#include "engine/item_classifier.h"

#include "engine/path_rules.h"
#include "platform/user_locale.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>

namespace sorvane {
namespace {

// Desktops treat launchers as furniture, and a partial download is still being written:
// neither belongs in the archive.
constexpr std::array<std::string_view, 5> suffixesThatStay{".desktop", ".part", ".crdownload",
                                                           ".download", ".partial"};

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
    if (name.size() <= suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(), [](char a, char b) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? c + 32 : c;
        };
        return lower(a) == lower(b);
    });
}

std::vector<FileIdentity> identitiesUpTo(FileServices& files, const std::filesystem::path& path) {
    std::vector<FileIdentity> identities;
    for (auto p = path;; p = p.parent_path()) {
        if (auto identity = files.identityFollowingLinks(p))
            identities.push_back(*identity);
        if (p == p.parent_path())
            break;
    }
    return identities;
}

bool contains(const std::vector<FileIdentity>& identities, const FileIdentity& identity) {
    return std::find(identities.begin(), identities.end(), identity) != identities.end();
}

} // namespace

ItemClassifier::ItemClassifier(FileServices& files, const std::filesystem::path& desktop,
                               const CleanOptions& options, const NameSet& neverMove, Clock now)
    : m_options(options), m_neverMove(neverMove), m_now(std::move(now)),
      m_archiveRoot(PathRules::standardized(options.destination).native()),
      m_desktop(PathRules::standardized(desktop).native()),
      m_desktopIdentity(files.identityFollowingLinks(desktop)),
      m_archiveAndAncestors(identitiesUpTo(files, m_archiveRoot)) {
    const auto archiveIdentity = files.identityFollowingLinks(m_archiveRoot);
    m_desktopInsideArchive =
        PathRules::isSameOrInside(m_desktop, m_archiveRoot) ||
        (archiveIdentity && contains(identitiesUpTo(files, desktop), *archiveIdentity));
    if (options.keepRecentDays >= 1) {
        UErrorCode status = U_ZERO_ERROR;
        m_calendar.reset(icu::Calendar::createInstance(UserLocale::formattingLocale(), status));
        if (U_FAILURE(status))
            m_calendar.reset();
    }
}

ItemClassifier::~ItemClassifier() = default;

ItemVerdict ItemClassifier::classify(const DirectoryEntry& item) const {
    const std::string_view name = PathRules::lastComponent(item.path);
    if (m_neverMove.contains(name) || staysForItsKind(item, name) || m_desktopInsideArchive)
        return ItemVerdict::skipped;

    const auto& values = item.values;
    const bool hidden = values && values->isHidden ? *values->isHidden : name.starts_with('.');
    if (hidden && !m_options.includeHidden)
        return ItemVerdict::skipped;

    const bool isFolder = values && values->isDirectory.value_or(false);
    if (isFolder && !m_options.moveFolders)
        return ItemVerdict::skipped;

    if (m_options.keepTaggedFiles && values) {
        // Tags that could not be read may pin the item: it waits for a run that can read them.
        if (!values->tagNames)
            return ItemVerdict::skipped;
        if (!values->tagNames->empty() || values->labelNumber.value_or(0) != 0)
            return ItemVerdict::tagged;
    }

    if (isArchiveOrHoldsIt(item, name))
        return ItemVerdict::skipped;

    if (m_options.keepRecentDays >= 1 && values && isRecent(*values))
        return ItemVerdict::skipped;

    return ItemVerdict::eligible;
}

bool ItemClassifier::staysForItsKind(const DirectoryEntry& item, std::string_view name) const {
    for (auto suffix : suffixesThatStay)
        if (endsWithIgnoringCase(name, suffix))
            return true;
    // Something mounted on the Desktop is another file system, or shows a folder that lies
    // elsewhere: not an item to tidy away.
    if (item.values && item.values->isMountPoint.value_or(false))
        return true;
    const auto identity = item.values ? item.values->identity : std::nullopt;
    return identity && m_desktopIdentity && identity->device != m_desktopIdentity->device;
}

bool ItemClassifier::isArchiveOrHoldsIt(const DirectoryEntry& item, std::string_view name) const {
    // Listed names are never "." or "..", so the item's standardised path is the Desktop's
    // and its name.
    std::string path = m_desktop;
    if (path != "/")
        path += '/';
    path += name;
    if (PathRules::isSameOrInside(m_archiveRoot, path))
        return true;
    // The same folders may be reached through symbolic links under other names.
    const auto identity = item.values ? item.values->identity : std::nullopt;
    return identity && contains(m_archiveAndAncestors, *identity);
}

bool ItemClassifier::isRecent(const ResourceValues& values) const {
    const auto lastChange = values.modificationDate ? values.modificationDate : values.creationDate;
    if (!lastChange)
        return false;
    // Calendar days, not multiples of 24 hours: across a daylight-saving change the cut-off
    // stays at the same wall-clock time.
    UErrorCode status = U_ZERO_ERROR;
    std::optional<Timestamp> cutoff;
    if (m_calendar && m_options.keepRecentDays <= INT32_MAX) {
        m_calendar->setTime(toUDate(m_now()), status);
        m_calendar->add(UCAL_DATE, -static_cast<int32_t>(m_options.keepRecentDays), status);
        const UDate date = m_calendar->getTime(status);
        if (U_SUCCESS(status))
            cutoff = fromUDate(date);
    }
    return !cutoff || *lastChange > *cutoff;
}

} // namespace sorvane
