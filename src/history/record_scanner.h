// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace sorvane {

/// Where each element of a top-level JSON array lies, found without parsing the elements:
/// brackets and strings are followed, nothing else is checked. Each element still needs a
/// reader of its own.
class RecordScanner {
public:
    struct Span {
        std::size_t offset = 0, length = 0;
    };

    /// Empty when the text is not an array of elements separated by commas and whitespace.
    static std::optional<std::vector<Span>> elements(std::string_view text);
};

} // namespace sorvane
