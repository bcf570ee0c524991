// SPDX-License-Identifier: MIT
#include "engine/scan_ahead.h"

#include <utility>

namespace sorvane {
namespace {

// Often enough that the first batch of a clean starts soon, rarely enough that the
// lock costs nothing.
constexpr std::size_t publishEvery = 64;

} // namespace

ScanAhead::ScanAhead(DirectoryListing listing, std::unique_ptr<ItemClassifier> classifier)
    : m_listing(std::move(listing)), m_classifier(std::move(classifier)),
      m_thread([this] { readAll(); }) {}

ScanAhead::~ScanAhead() {
    m_thread.join();
}

void ScanAhead::readAll() {
    std::size_t eligible = 0;
    std::int64_t skipped = 0;
    std::int64_t tagged = 0;
    const auto& names = m_listing.names;
    try {
        // Here rather than before the thread starts: the first batch waits for neither.
        m_eligible.resize(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            auto entry = m_listing.entryOf(names[i]);
            switch (m_classifier->classify(entry)) {
            case ItemVerdict::eligible:
                m_eligible[eligible++] = std::move(entry);
                break;
            case ItemVerdict::tagged:
                ++tagged;
                [[fallthrough]];
            case ItemVerdict::skipped:
                ++skipped;
                break;
            }
            if ((i + 1) % publishEvery == 0)
                publish(eligible, i + 1, skipped, tagged);
        }
    } catch (...) {
        const std::lock_guard lock(m_mutex);
        m_failure = std::current_exception();
    }
    publish(eligible, names.size(), skipped, tagged);
    const std::lock_guard lock(m_mutex);
    m_done = true;
    m_changed.notify_all();
}

void ScanAhead::publish(std::size_t eligible, std::size_t read, std::int64_t skipped,
                        std::int64_t tagged) {
    const std::lock_guard lock(m_mutex);
    m_ready = eligible;
    m_read = read;
    m_skipped = skipped;
    m_tagged = tagged;
    m_changed.notify_all();
}

std::span<DirectoryEntry> ScanAhead::next(std::size_t count) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_done || m_ready - m_taken >= count; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    if (m_taken == m_ready)
        return {};
    const std::size_t first = m_taken;
    m_taken += std::min(count, m_ready - m_taken);
    return {m_eligible.data() + first, m_taken - first};
}

bool ScanAhead::finished() const {
    const std::lock_guard lock(m_mutex);
    return m_done;
}

std::int64_t ScanAhead::skipped() const {
    const std::lock_guard lock(m_mutex);
    return m_skipped;
}

std::size_t ScanAhead::mostEligible() const {
    const std::lock_guard lock(m_mutex);
    return m_ready + (m_listing.names.size() - m_read);
}

void ScanAhead::waitUntilRead() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_done; });
    if (m_failure)
        std::rethrow_exception(m_failure);
}

ScannedDesktop ScanAhead::rest() {
    waitUntilRead();
    const std::lock_guard lock(m_mutex);
    ScannedDesktop scanned;
    if (m_taken == 0) {
        m_eligible.resize(m_ready);
        scanned.eligible = std::exchange(m_eligible, {});
    } else {
        scanned.eligible.assign(std::make_move_iterator(m_eligible.begin() + m_taken),
                                std::make_move_iterator(m_eligible.begin() + m_ready));
    }
    m_taken = m_ready;
    scanned.skipped = m_skipped;
    scanned.tagged = m_tagged;
    return scanned;
}

} // namespace sorvane
