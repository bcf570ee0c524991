// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

/// The standard base64 alphabet with padding (RFC 4648, section 4).
class Base64 {
public:
    static std::string encode(std::string_view bytes);
    /// Appends the encoding of `bytes` to `text`.
    static void appendEncoded(std::string& text, std::string_view bytes);
    /// Only the canonical form is accepted: padded to a multiple of four, no whitespace, and
    /// zero bits after the last byte, so that each byte string has exactly one spelling.
    static std::optional<std::string> decode(std::string_view text);
};

} // namespace sorvane
