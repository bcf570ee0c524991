// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

/// Text for a terminal, or a pipe read by one later. What could drive the terminal or
/// mislead a reader is shown the way the shell would read it back, as ls does: C0 and C1
/// controls, DEL, bytes that are not UTF-8, and the bidirectional controls that can make a
/// name read backwards. A newline in a name could otherwise fake a second line, and an
/// escape sequence retitle or clear the terminal.
class TerminalText {
public:
    /// The name as it stands when it holds nothing to escape, else all of it in $'…'.
    static std::string quoted(std::string_view name);
    /// One printed line: each run of characters to escape becomes a $'…' of its own, the
    /// rest stays as it is.
    static std::string line(std::string_view text);
};

} // namespace sorvane
