// SPDX-License-Identifier: MIT
#include "engine/copy_batch.h"

#include "engine/clean_error.h"
#include "engine/item_transfer.h"
#include "platform/message_catalogue.h"
#include "platform/posix_error.h"
#include "record/uuid.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace sorvane {
namespace {

using State = TransferStep::State;

FileIdentity identityOf(const SnapshotEntry& entry) {
    return {entry.device, entry.inode};
}

FileError unrecorded(const std::filesystem::path& source) {
    return {EIO, fillIn(messageText("ItemError",
                                    "%1 was left where it was: the journal could not be written."),
                        {quotedName(source)})};
}

} // namespace

CopyBatch::CopyBatch(FileServices& files, const ItemTransfer& transfer)
    : m_files(files), m_transfer(transfer) {}

void CopyBatch::add(const std::filesystem::path& source, const std::filesystem::path& target) {
    Item item;
    item.step.source = source;
    item.step.target = target;
    // Hidden until it is complete and verified, so that a run killed half-way never leaves
    // a partial copy under a real name.
    item.step.temporary =
        target.parent_path() / (".sorvane-copy-" + Uuid::random().toString().substr(0, 8));
    m_items.push_back(std::move(item));
}

// An item that failed at any stage drops out of the later ones; every stage after a failed
// announcement finds nothing left to do.
void CopyBatch::complete(const TransferListener& listener,
                         const std::function<void(const Outcome&)>& settled) {
    auto queued = std::exchange(m_items, {});
    m_watches.clear();
    m_watchedFolders.clear();
    const Items items(queued);
    for (auto& item : items)
        item.step.sourceIdentity = m_files.identity(item.step.source).value_or(FileIdentity{});

    announce(items, State::copying, listener);
    // A quick drive writes one round while the next is read and copied; the originals of a
    // round go only once its flush is over, before the round after next copies, so that those
    // copies take the memory the originals free. A slow one flushes each round before the
    // next: a quit must not wait for a long flush and then for the copies made meanwhile.
    std::optional<RoundInFlight> inFlight;
    for (std::size_t start = 0; start < items.size();) {
        const auto round = items.subspan(start, copyRound(items.subspan(start), listener));
        start += round.size();
        if (inFlight)
            land(*inFlight, listener, settled);
        inFlight = launch(round, listener);
        if (!m_flushesBeside) {
            land(*inFlight, listener, settled);
            inFlight.reset();
        }
    }
    if (inFlight)
        land(*inFlight, listener, settled);
}

std::size_t CopyBatch::copyRound(Items items, const TransferListener& listener) {
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto& item = items[i];
        if (item.error)
            continue;
        copy(item, listener);
        if (item.snapshot)
            bytes += item.snapshot->fileBytes();
        if (item.error && item.error->code == ECANCELED) {
            // A quit must not wait for the rest, nor for the flush the round's copies need.
            for (auto& other : items)
                if (!other.error)
                    discard(other, other.snapshot ? other.step.temporary : "", *item.error);
            return items.size();
        }
        if (bytes >= m_roundBytes || std::chrono::steady_clock::now() - start >= roundTime)
            return i + 1;
    }
    return items.size();
}

CopyBatch::RoundInFlight CopyBatch::launch(Items round, const TransferListener& listener) {
    announce(round, State::copied, listener);
    for (auto& item : round)
        if (!item.error)
            name(item, listener);
    std::vector<const FileSystemWatch*> watches;
    for (const auto& watch : m_watches)
        watches.push_back(&watch);
    const auto flush = [this, round, watches] {
        return makeDurable(round, watches);
    };
    try {
        return {round, std::async(std::launch::async, flush)};
    } catch (const std::system_error&) {
        // Without a thread to spare, the flush runs when the round lands.
        return {round, std::async(std::launch::deferred, flush)};
    }
}

void CopyBatch::land(RoundInFlight& flight, const TransferListener& listener,
                     const std::function<void(const Outcome&)>& settled) {
    const auto round = flight.round;
    if (auto flushed = flight.flush.get(); !flushed.status) {
        for (auto& item : round)
            if (!item.error)
                discard(item, item.step.target, flushed.status.error());
    } else {
        learnFlushRate(round, flushed.took);
        m_flushesBeside = flushed.took < quickFlush;
    }

    announce(round, State::removing, listener);
    // The copy is the whole item now; whatever of the original resists removal stays beside
    // it, named, rather than taking the copy with it.
    for (auto& item : round)
        if (!item.error)
            if (auto removed = m_files.removeSnapshot(item.step.source, *item.snapshot); !removed)
                item.leftBehind = removed.error();
    for (const auto& item : round)
        settled(item.error ? Outcome{item.step.source, *item.error, std::nullopt}
                           : Outcome{item.step.source, item.step.target, item.leftBehind});
}

void CopyBatch::announce(Items items, TransferStep::State state,
                         const TransferListener& listener) const {
    std::vector<TransferStep> steps;
    for (auto& item : items) {
        if (item.error)
            continue;
        item.step.state = state;
        item.step.snapshot = item.snapshot ? &*item.snapshot : nullptr;
        steps.push_back(item.step);
    }
    if (steps.empty() || !listener.stepped || listener.stepped(steps))
        return;
    // Nothing may stay that a kill could leave unrecorded.
    const bool named = state == State::removing;
    for (auto& item : items)
        if (!item.error)
            discard(item,
                    state == State::copying ? std::filesystem::path()
                                            : (named ? item.step.target : item.step.temporary),
                    unrecorded(item.step.source));
}

void CopyBatch::copy(Item& item, const TransferListener& listener) {
    const auto& source = item.step.source;
    auto snapshot = m_transfer.snapshotForCopy(source, listener.leaveBusyItems);
    if (!snapshot) {
        item.error = snapshot.error();
        return;
    }
    if (auto watched = watch(item.step.target.parent_path()); !watched) {
        item.error = watched.error();
        return;
    }
    item.snapshot = std::move(snapshot).value();
    item.step.sourceIdentity = identityOf(item.snapshot->entries.front());
    if (auto copied = m_files.copyItem(source, item.step.temporary, *item.snapshot,
                                       listener.cancelled, CopyDurability::deferred);
        !copied) {
        item.error = copied.error();
        return;
    }
    const auto copy = m_files.snapshotItem(item.step.temporary);
    if (!copy || !item.snapshot->sameShapeAs(*copy))
        return discard(
            item, item.step.temporary,
            {0, CleanError::copyUnverified(source.filename().native()).errorDescription()});
    const auto again = m_files.snapshotItem(source);
    if (!again || !item.snapshot->unchangedIn(*again))
        return discard(
            item, item.step.temporary,
            {EAGAIN,
             fillIn(messageText("ItemError", "%1 changed while it was being copied, so it was left "
                                             "where it was."),
                    {quotedName(source)})});
    item.step.copyIdentity = identityOf(copy->entries.front());
}

void CopyBatch::name(Item& item, const TransferListener& listener) const {
    auto named = m_files.moveItem(item.step.temporary, item.step.target);
    if (!named && named.error().code == EEXIST) {
        // Something took the name since it was found free: the next free one will do, told
        // before the copy takes it.
        const auto other = m_transfer.uniqueDestination(item.step.target.filename().native(),
                                                        item.step.target.parent_path());
        if (!other)
            return discard(item, item.step.temporary, other.error());
        if (listener.willMove && !listener.willMove(item.step.source, *other))
            return discard(item, item.step.temporary, FileError{ECANCELED, {}});
        item.step.target = *other;
        const std::vector<TransferStep> step{item.step};
        if (listener.stepped && !listener.stepped(step))
            return discard(item, item.step.temporary, unrecorded(item.step.source));
        named = m_files.moveItem(item.step.temporary, item.step.target);
    }
    if (!named)
        discard(item, item.step.temporary, named.error());
}

CopyBatch::Flush CopyBatch::makeDurable(Items items,
                                        const std::vector<const FileSystemWatch*>& watches) const {
    const auto start = std::chrono::steady_clock::now();
    const auto took = [&] {
        return std::chrono::steady_clock::now() - start;
    };
    if (std::all_of(items.begin(), items.end(), [](const Item& item) { return item.error; }))
        return {{}, took()};
    for (const auto* watch : watches)
        if (auto synced = m_files.syncFileSystem(*watch); !synced)
            return {synced, took()};
    return {{}, took()};
}

// A round too small to fill the drive's queue says more of the flush's fixed cost than of
// the drive's speed.
void CopyBatch::learnFlushRate(Items flushed, std::chrono::steady_clock::duration took) {
    std::uint64_t bytes = 0;
    for (const auto& item : flushed)
        if (!item.error)
            bytes += item.snapshot->fileBytes();
    if (bytes < leastRoundBytes)
        return;
    using Microseconds = std::chrono::duration<double, std::micro>;
    const double perRound = static_cast<double>(bytes) / std::max(1.0, Microseconds(took).count()) *
                            Microseconds(roundTime).count();
    m_roundBytes = static_cast<std::uint64_t>(
        std::clamp(perRound, double(leastRoundBytes), double(mostRoundBytes)));
}

FileStatus CopyBatch::watch(const std::filesystem::path& folder) {
    if (m_watchedFolders.contains(folder))
        return {};
    const auto identity = m_files.identityFollowingLinks(folder);
    const bool watched =
        identity && std::any_of(m_watches.begin(), m_watches.end(), [&](const auto& watch) {
            return watch.device() == identity->device;
        });
    if (!watched) {
        auto watch = m_files.watchFileSystem(folder);
        if (!watch)
            return watch.error();
        m_watches.push_back(std::move(watch).value());
    }
    m_watchedFolders.insert(folder);
    return {};
}

void CopyBatch::discard(Item& item, const std::filesystem::path& copy, FileError error) const {
    if (!copy.empty())
        m_files.removeItem(copy);
    item.error = std::move(error);
}

} // namespace sorvane
