// SPDX-License-Identifier: MIT
#include "engine/item_transfer.h"

#include "engine/clean_error.h"
#include "engine/removal_check.h"
#include "platform/message_catalogue.h"
#include "platform/posix_error.h"
#include "record/uuid.h"

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

FileIdentity identityOf(const SnapshotEntry& entry) {
    return {entry.device, entry.inode};
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

FileStatus ItemTransfer::transfer(const std::filesystem::path& source,
                                  const std::filesystem::path& target,
                                  const TransferListener& listener) const {
    auto moved = m_files.moveItem(source, target);
    // Only another file system is a reason to copy. After any other failure a copy whose
    // original could not be removed would leave an unrecorded duplicate behind every day.
    if (moved || moved.error().code != EXDEV)
        return moved;
    return copyAcross(source, target, listener);
}

FileResult<std::filesystem::path>
ItemTransfer::transferToFreeName(const std::filesystem::path& source,
                                 const std::filesystem::path& folder, const std::string& name,
                                 const TransferListener& listener) const {
    const auto plain = folder / name;
    if (listener.willMove)
        listener.willMove(plain);
    auto moved = m_files.moveItem(source, plain);
    if (moved)
        return plain;
    if (moved.error().code != EEXIST && moved.error().code != EXDEV)
        return moved.error();

    auto target = moved.error().code == EXDEV ? FileResult<std::filesystem::path>(plain)
                                              : uniqueDestination(name, folder);
    if (!target)
        return target.error();
    if (listener.willMove && *target != plain)
        listener.willMove(*target);
    if (auto transferred = transfer(source, *target, listener); !transferred) {
        // The plain name was free for the rename but is taken for the copy: someone put
        // something there meanwhile. The next free name will do.
        if (transferred.error().code != EEXIST || *target != plain)
            return transferred.error();
        target = uniqueDestination(name, folder);
        if (!target)
            return target.error();
        if (listener.willMove)
            listener.willMove(*target);
        if (auto again = transfer(source, *target, listener); !again)
            return again.error();
    }
    return *target;
}

FileStatus ItemTransfer::copyAcross(const std::filesystem::path& source,
                                    const std::filesystem::path& target,
                                    const TransferListener& listener) const {
    auto snapshot = m_files.snapshotItem(source);
    if (!snapshot)
        return snapshot.error();
    if (listener.leaveBusyItems && busy(*snapshot))
        return FileError{busyCode, fillIn(messageText("ItemError", "%1 is still being changed."),
                                          {quotedName(source)})};
    if (auto obstacle = RemovalCheck::obstacle(*snapshot))
        return *obstacle;

    // Under a hidden temporary name until it is complete and verified, so that a run killed
    // half-way never leaves a partial copy under a real name.
    TransferStep step;
    step.source = source;
    step.temporary =
        target.parent_path() / (".sorvane-copy-" + Uuid::random().toString().substr(0, 8));
    step.target = target;
    step.sourceIdentity = identityOf(snapshot->entries.front());
    step.snapshot = &*snapshot;
    auto announce = [&](TransferStep::State state) {
        step.state = state;
        return !listener.stepped || listener.stepped(step);
    };
    const FileError unrecorded{
        EIO, fillIn(messageText("ItemError",
                                "%1 was left where it was: the journal could not be written."),
                    {quotedName(source)})};

    if (!announce(TransferStep::State::copying))
        return unrecorded;
    if (auto copied = m_files.copyItem(source, step.temporary, *snapshot, listener.cancelled);
        !copied)
        return copied;
    auto discard = [&](const std::filesystem::path& copy, FileError error) -> FileStatus {
        m_files.removeItem(copy);
        return error;
    };
    const auto copy = m_files.snapshotItem(step.temporary);
    if (!copy || !snapshot->sameShapeAs(*copy))
        return discard(
            step.temporary,
            {0, CleanError::copyUnverified(source.filename().native()).errorDescription()});
    const auto again = m_files.snapshotItem(source);
    if (!again || !snapshot->unchangedIn(*again))
        return discard(
            step.temporary,
            {EAGAIN,
             fillIn(messageText("ItemError", "%1 changed while it was being copied, so it was left "
                                             "where it was."),
                    {quotedName(source)})});

    step.copyIdentity = identityOf(copy->entries.front());
    if (!announce(TransferStep::State::copied))
        return discard(step.temporary, unrecorded);
    if (auto named = m_files.moveItem(step.temporary, target); !named)
        return discard(step.temporary, named.error());
    if (auto durable = m_files.syncFolder(target.parent_path()); !durable)
        return discard(target, durable.error());

    if (!announce(TransferStep::State::removing))
        return discard(target, unrecorded);
    // The copy is the whole item now; whatever of the original resists removal stays
    // beside it, named, rather than taking the copy with it.
    if (auto removed = m_files.removeSnapshot(source, *snapshot); !removed && listener.leftBehind)
        listener.leftBehind(removed.error());
    return {};
}

std::string ItemTransfer::leftBehindLine(const std::string& name, const FileError& error) {
    std::string reason = errorText(error.code);
    if (error.code == EAGAIN)
        reason = messageText("ItemError", "it changed after it was copied");
    else if (error.code == ENOTEMPTY)
        reason = messageText("ItemError", "something new was saved into it");
    return fillIn(
        messageText("ItemError", "%1: moved, but %2 could not be removed from the Desktop: %3."),
        {name, error.description(), reason});
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
