// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvane {

/// The options Qt itself reads from the command line of a graphical program (-platform,
/// -style, -display, …), so that starting the tray application with them is not taken for
/// an unknown command, and so that the display they name can be checked before Qt starts.
class QtArguments {
public:
    /// True when every argument is one of the tray application's options (`--background`,
    /// `--clean-now`, `--undo-last-clean`) or one of Qt's with its value.
    static bool startTheTrayApplication(const std::vector<std::string>& arguments);
    /// The value of Qt's option `name` ("platform" for -platform), in any of the forms Qt
    /// reads: `-name value`, `--name value`, `-name=value`.
    static std::optional<std::string> value(const std::vector<std::string>& arguments,
                                            const std::string& name);
};

} // namespace sorvane
