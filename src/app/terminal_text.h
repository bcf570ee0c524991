#pragma once

#include <string>
#include <string_view>

namespace sorvane {

/// Names for a terminal. A name holding a control character or bytes that are not UTF-8 is
/// shown quoted the way the shell would read it back, $'line\nbreak', as ls does; a newline
/// could otherwise fake a second name and an escape sequence drive the terminal.
class TerminalText {
public:
    static std::string quoted(std::string_view name);
};

} // namespace sorvane
