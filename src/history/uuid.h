#pragma once

#include <array>
#include <cstdint>
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
