// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

/// A random (version 4) UUID, written in its canonical upper-case form.
class Uuid {
public:
    Uuid() = default;
    explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : m_bytes(bytes) {}

    static Uuid random();
    /// Parses the 8-4-4-4-12 hexadecimal form in either case; anything else gives none.
    static std::optional<Uuid> fromString(std::string_view text);

    std::string toString() const;
    const std::array<std::uint8_t, 16>& bytes() const { return m_bytes; }

    friend bool operator==(const Uuid&, const Uuid&) = default;
    friend auto operator<=>(const Uuid&, const Uuid&) = default;

private:
    std::array<std::uint8_t, 16> m_bytes{};
};

} // namespace sorvane

template <> struct std::hash<sorvane::Uuid> {
    std::size_t operator()(const sorvane::Uuid& uuid) const noexcept {
        // The bytes are random already, so folding them is as good as any mixing.
        std::size_t hash = 0;
        for (std::uint8_t byte : uuid.bytes()) {
            hash = hash * 131 + byte;
        }
        return hash;
    }
};
