// SPDX-License-Identifier: MIT
#include "engine/item_transfer.h"

#include "engine/copy_batch.h"
#include "engine/removal_check.h"
#include "platform/message_catalogue.h"
#include "platform/posix_error.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace sorvane {
namespace {

constexpr std::size_t maxNameBytes = NAME_MAX;

struct SplitName {
    std::string base;
    std::string extension;
};

// The extension follows the last "." provided something comes before it: "report.final.pdf"
// has "pdf", ".env" and "Makefile" have none.
SplitName split(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

std::string withSuffix(const SplitName& name, const std::string& suffix) {
    return name.base + " " + suffix + (name.extension.empty() ? "" : "." + name.extension);
}

// An item whose target was refused stays untouched, as one a stop request came before.
FileError notTried() {
    return {ECANCELED, {}};
}

} // namespace

ItemTransfer::ItemTransfer(FileServices& files, Clock now)
    : m_files(files), m_now(std::move(now)) {}

FileResult<std::filesystem::path>
ItemTransfer::uniqueDestination(const std::string& name,
                                const std::filesystem::path& folder) const {
    if (!m_files.fileExists(folder / name))
        return folder / name;
    const SplitName parts = split(name);
    for (int n = 2; n <= 999; ++n) {
        const std::string candidate = withSuffix(parts, std::to_string(n));
        if (candidate.size() > maxNameBytes)
            return FileError{
                ENAMETOOLONG,
                fillIn(messageText("ItemError",
                                   "The name \u201C%1\u201D is taken in \u201C%2\u201D and "
                                   "too long to be numbered."),
                       {name, folder.filename().native()})};
        if (!m_files.fileExists(folder / candidate))
            return folder / candidate;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(m_now().time_since_epoch()).count();
    return folder / withSuffix(parts, std::to_string(seconds));
}

FileResult<std::filesystem::path>
ItemTransfer::transferToFreeName(const std::filesystem::path& source,
                                 const std::filesystem::path& target,
                                 const TransferListener& listener) const {
    if (listener.willMove && !listener.willMove(source, target))
        return notTried();
    auto moved = m_files.moveItem(source, target);
    if (moved)
        return target;
    if (moved.error().code == EXDEV)
        return copyAcross(source, target, listener);
    if (moved.error().code != EEXIST)
        return moved.error();
    const auto numbered = uniqueDestination(target.filename().native(), target.parent_path());
    if (!numbered)
        return numbered.error();
    if (listener.willMove && !listener.willMove(source, *numbered))
        return notTried();
    return transfer(source, *numbered, listener);
}

FileResult<std::filesystem::path> ItemTransfer::transfer(const std::filesystem::path& source,
                                                         const std::filesystem::path& target,
                                                         const TransferListener& listener) const {
    auto moved = m_files.moveItem(source, target);
    if (moved)
        return target;
    // Only another file system is a reason to copy. After any other failure a copy whose
    // original could not be removed would leave an unrecorded duplicate behind every day.
    if (moved.error().code != EXDEV)
        return moved.error();
    return copyAcross(source, target, listener);
}

FileResult<std::filesystem::path> ItemTransfer::copyAcross(const std::filesystem::path& source,
                                                           const std::filesystem::path& target,
                                                           const TransferListener& listener) const {
    // Only a batch can move an item across file systems: it alone makes copies durable.
    if (!listener.batch)
        return posixError("move", source, EXDEV);
    listener.batch->add(source, target);
    return target;
}

FileResult<TreeSnapshot> ItemTransfer::snapshotForCopy(const std::filesystem::path& source,
                                                       bool leaveBusyItems) const {
    auto snapshot = m_files.snapshotItem(source);
    if (!snapshot)
        return snapshot.error();
    if (leaveBusyItems && busy(*snapshot))
        return FileError{busyCode, fillIn(messageText("ItemError", "%1 is still being changed."),
                                          {quotedName(source)})};
    if (auto obstacle = RemovalCheck::obstacle(*snapshot))
        return *obstacle;
    return snapshot;
}

std::string ItemTransfer::leftBehindLine(const std::string& name, const FileError& error,
                                         From from) {
    std::string reason = errorText(error.code);
    if (error.code == EAGAIN)
        reason = messageText("ItemError", "it changed after it was copied");
    else if (error.code == ENOTEMPTY)
        reason = messageText("ItemError", "something new was saved into it");
    const std::string line =
        from == From::desktop
            ? messageText("ItemError",
                          "%1: moved, but %2 could not be removed from the Desktop: %3.")
            : messageText("ItemError",
                          "%1: put back, but %2 could not be removed from the archive: %3.");
    return fillIn(line, {name, error.description(), reason});
}

bool ItemTransfer::busy(const TreeSnapshot& snapshot) const {
    const auto now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(m_now().time_since_epoch()).count();
    const auto window = std::chrono::nanoseconds(busyWindow).count();
    return std::any_of(snapshot.entries.begin(), snapshot.entries.end(),
                       [&](const SnapshotEntry& entry) {
                           return entry.changed > now - window && entry.changed < now + window;
                       });
}

} // namespace sorvane
