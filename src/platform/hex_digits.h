// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace sorvane {

/// Hexadecimal digits as the byte-exact text forms read and write them: percent-encoded
/// paths and identifiers.
class HexDigits {
public:
    /// The value of a digit in either case; -1 for any other character.
    static constexpr int value(char c) { return values[static_cast<unsigned char>(c)]; }
    /// The upper-case digit of the low four bits.
    static constexpr char upper(unsigned nibble) { return "0123456789ABCDEF"[nibble & 0xF]; }

private:
    // A table, not comparisons: in random identifiers digits and letters alternate at random,
    // and every wrong guess of a branch costs more than the look-up.
    static constexpr std::array<signed char, 256> values = [] {
        std::array<signed char, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                                       : -1);
        return table;
    }();
};

} // namespace sorvane
