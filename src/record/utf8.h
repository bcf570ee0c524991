// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

/// Checks and repairs UTF-8 text. File names on Linux are bytes, but JSON strings must be
/// well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
class Utf8 {
public:
    static bool isValid(std::string_view bytes);
    /// The length of the well-formed sequence that starts at `at`; 0 when it is ill-formed.
    static std::size_t sequenceLength(std::string_view bytes, std::size_t at);
    /// The code point of the well-formed sequence of `length` bytes at `at`.
    static char32_t codePoint(std::string_view bytes, std::size_t at, std::size_t length);
    /// The text with U+FFFD in place of each maximal ill-formed subsequence, the replacement
    /// practice Unicode recommends (one U+FFFD per stray byte, one per truncated sequence).
    static std::string withReplacements(std::string_view bytes);
};

} // namespace sorvane
