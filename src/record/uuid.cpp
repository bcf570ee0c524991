// SPDX-License-Identifier: MIT
#include "record/uuid.h"

#include "platform/hex_digits.h"

#include <algorithm>
#include <cerrno>
#include <random>
#include <sys/random.h>

namespace sorvane {

namespace {

constexpr std::size_t textLength = 36;

bool isHyphenPosition(std::size_t index) {
    return index == 8 || index == 13 || index == 18 || index == 23;
}

bool fillFromKernel(std::uint8_t* bytes, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = getrandom(bytes + filled, size - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

// A clean of thousands of items needs as many identifiers; one system call per identifier
// was a good part of its cost, so the kernel's random bytes are fetched in batches.
bool fillFromPool(std::array<std::uint8_t, 16>& bytes) {
    thread_local std::array<std::uint8_t, 4096> pool;
    thread_local std::size_t used = pool.size();
    if (used == pool.size()) {
        if (!fillFromKernel(pool.data(), pool.size()))
            return false;
        used = 0;
    }
    std::copy_n(pool.begin() + static_cast<std::ptrdiff_t>(used), bytes.size(), bytes.begin());
    std::fill_n(pool.begin() + static_cast<std::ptrdiff_t>(used), bytes.size(), 0);
    used += bytes.size();
    return true;
}

} // namespace

Uuid Uuid::random() {
    std::array<std::uint8_t, 16> bytes{};
    // getrandom can be missing under old kernels or seccomp sandboxes; random_device then
    // falls back to its own source rather than leaving us without identifiers.
    if (!fillFromPool(bytes)) {
        std::random_device device;
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            const std::uint32_t word = device();
            for (std::size_t j = 0; j < 4; ++j) {
                bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
            }
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::fromString(std::string_view text) {
    if (text.size() != textLength) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 16> bytes{};
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHyphenPosition(i)) {
            if (text[i] != '-') {
                return std::nullopt;
            }
            continue;
        }
        const int value = HexDigits::value(text[i]);
        if (value < 0) {
            return std::nullopt;
        }
        bytes[nibble / 2] = static_cast<std::uint8_t>((bytes[nibble / 2] << 4) | value);
        ++nibble;
    }
    return Uuid(bytes);
}

std::string Uuid::toString() const {
    std::string text;
    text.reserve(textLength);
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += HexDigits::upper(m_bytes[i] >> 4);
        text += HexDigits::upper(m_bytes[i]);
    }
    return text;
}

} // namespace sorvane
