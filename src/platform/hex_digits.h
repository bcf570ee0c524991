// SPDX-License-Identifier: MIT
#pragma once

namespace sorvane {

/// Hexadecimal digits as the byte-exact text forms read and write them: percent-encoded
/// paths and identifiers.
class HexDigits {
public:
    /// The value of a digit in either case; -1 for any other character.
    static constexpr int value(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }
    /// The upper-case digit of the low four bits.
    static constexpr char upper(unsigned nibble) { return "0123456789ABCDEF"[nibble & 0xF]; }
};

} // namespace sorvane
