// SPDX-License-Identifier: MIT
#pragma once

#include "engine/transfer_step.h"
#include "platform/file_services.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <set>
#include <span>
#include <vector>

namespace sorvane {

class ItemTransfer;
struct TransferListener;

/// Moves across file systems made together. Each item is copied under a hidden temporary
/// name and checked; the copies then take their names and are made durable together, and
/// only then do the originals go, each entry checked once more just before. One flush of the
/// target's file system serves a whole round of copies, where a flush per copy would wait
/// for each in turn. Each state is announced for
/// all the batch's items in one go, before its work begins.
class CopyBatch {
public:
    /// What became of one item: where it went, or why it stayed where it was.
    struct Outcome {
        std::filesystem::path source;
        FileResult<std::filesystem::path> target;
        /// What of the original resisted removal once the item had moved.
        std::optional<FileError> leftBehind;
    };

    CopyBatch(FileServices& files, const ItemTransfer& transfer);

    /// Queues `source` to be moved to `target`, a free name on another file system.
    void add(const std::filesystem::path& source, const std::filesystem::path& target);
    std::size_t size() const { return m_items.size(); }
    /// Forgets the queued items, none of which has been touched.
    void clear() { m_items.clear(); }

    /// How long copies are made, and about how long their flush should take, before those
    /// made are finished together, so that a slow drive still shows progress and a stop
    /// wastes little.
    static constexpr std::chrono::seconds roundTime{2};
    /// What a round copies at most. The originals a round removes free their memory for later
    /// rounds' copies, as `mv` frees each file's for the next; a larger round holds every copy
    /// beside its original, in memory taken fresh (or from other files' cache).
    static constexpr std::uint64_t mostRoundBytes = 64 << 20;
    /// Copies land in memory at once and reach the drive with the flush, so a round is
    /// bounded by what the last flush wrote in `roundTime` too, but never below this:
    /// without, a slow drive's flush would keep progress (and a quit) waiting for minutes.
    static constexpr std::uint64_t leastRoundBytes = 4 << 20;
    /// A flush at least this long keeps the next round's copying waiting for it.
    static constexpr std::chrono::milliseconds quickFlush{250};

    /// Moves every queued item and empties the queue; `settled` hears each outcome, in the
    /// order queued, as soon as the item's round is over. After a quick flush, a round's
    /// flush runs on a thread of its own while the next round copies; its originals go once
    /// it is over.
    void complete(const TransferListener& listener,
                  const std::function<void(const Outcome&)>& settled);

private:
    struct Item {
        TransferStep step;
        std::optional<TreeSnapshot> snapshot;
        std::optional<FileError> error;
        std::optional<FileError> leftBehind;
    };

    using Items = std::span<Item>;
    struct Flush {
        FileStatus status;
        std::chrono::steady_clock::duration took;
    };
    /// A round whose copies have their names and are being made durable.
    struct RoundInFlight {
        Items round;
        std::future<Flush> flush;
    };

    /// Tells the listener of `state` for the items still going; those it could not record
    /// fail, and what copies of them exist go.
    void announce(Items items, TransferStep::State state, const TransferListener& listener) const;
    /// Copies items from the start of `items` for one round; gives how many it took.
    std::size_t copyRound(Items items, const TransferListener& listener);
    /// Names the round's copies and starts making them durable.
    RoundInFlight launch(Items round, const TransferListener& listener);
    /// Waits until the round's copies are durable, removes their originals and settles its
    /// items.
    void land(RoundInFlight& flight, const TransferListener& listener,
              const std::function<void(const Outcome&)>& settled);
    void copy(Item& item, const TransferListener& listener);
    void name(Item& item, const TransferListener& listener) const;
    /// Runs on the flush's thread: reads only `items` and `watches`.
    Flush makeDurable(Items items, const std::vector<const FileSystemWatch*>& watches) const;
    /// Sets the next round's bytes to what the drive took of `flushed` in `roundTime`, within
    /// the bounds above.
    void learnFlushRate(Items flushed, std::chrono::steady_clock::duration took);
    FileStatus watch(const std::filesystem::path& folder);
    /// Removes what the item's copy left at `copy`, if anything, and fails the item with
    /// `error`.
    void discard(Item& item, const std::filesystem::path& copy, FileError error) const;

    FileServices& m_files;
    const ItemTransfer& m_transfer;
    std::vector<Item> m_items;
    std::uint64_t m_roundBytes = mostRoundBytes;
    /// Whether the last flush was quick: the next runs beside the round after it.
    bool m_flushesBeside = false;
    /// A deque: a watch added while a flush reads the others must not move them.
    std::deque<FileSystemWatch> m_watches;
    std::set<std::filesystem::path> m_watchedFolders;
};

} // namespace sorvane
