// SPDX-License-Identifier: MIT
#pragma once

#include "engine/item_classifier.h"
#include "engine/scanned_desktop.h"
#include "platform/file_services.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace sorvane {

/// A look at the Desktop that goes on on a thread of its own, item by item in Desktop
/// order, while its caller moves the items found so far: reading every item's dates and
/// tags would otherwise hold up a large clean by as much as a fifth of its moves.
class ScanAhead {
public:
    /// Starts reading `listing`'s entries, their names already in Desktop order, with
    /// `classifier`.
    ScanAhead(DirectoryListing listing, std::unique_ptr<ItemClassifier> classifier);
    /// Waits for the reading to end.
    ~ScanAhead();
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    /// The next eligible items, up to `count`, once they are read; fewer only when the
    /// Desktop holds no more. They are the caller's to take apart, and stay valid as long as
    /// the scan.
    std::span<DirectoryEntry> next(std::size_t count);
    /// Whether every item has been read.
    bool finished() const;
    /// How many items stay, so far: final once `finished`.
    std::int64_t skipped() const;
    /// How many items are eligible at most: those found so far and those not yet read.
    std::size_t mostEligible() const;
    /// Waits until every item has been read.
    void waitUntilRead();
    /// Waits for the end: the eligible items that `next` has not given, and the counts of
    /// the whole Desktop.
    ScannedDesktop rest();

private:
    void readAll();
    void publish(std::size_t eligible, std::size_t read, std::int64_t skipped, std::int64_t tagged);

    DirectoryListing m_listing;
    std::unique_ptr<ItemClassifier> m_classifier;
    /// Sized for the whole listing at once, so that the items already given never move.
    std::vector<DirectoryEntry> m_eligible;
    std::size_t m_taken = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_ready = 0;
    std::size_t m_read = 0;
    std::int64_t m_skipped = 0;
    std::int64_t m_tagged = 0;
    bool m_done = false;
    std::exception_ptr m_failure;

    std::thread m_thread;
};

} // namespace sorvane
