// SPDX-License-Identifier: MIT
#include "app/qt_arguments.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sorvane {
namespace {

// Those of QGuiApplication, QApplication and the xcb platform that take a value, then those
// that take none.
constexpr std::array<std::string_view, 14> withValue = {"platform",        "platformpluginpath",
                                                        "platformtheme",   "plugin",
                                                        "qwindowgeometry", "qwindowicon",
                                                        "qwindowtitle",    "session",
                                                        "style",           "stylesheet",
                                                        "display",         "name",
                                                        "title",           "visual"};
constexpr std::array<std::string_view, 6> withoutValue = {
    "reverse", "nograb", "dograb", "sync", "widgetcount", "qmljsdebugger"};

// The tray application's own: start without the panel, or with a clean or an undo that the
// desktop entry's actions ask for.
constexpr std::array<std::string_view, 3> trayOptions = {"--background", "--clean-now",
                                                         "--undo-last-clean"};

bool isOneOf(std::string_view name, auto const& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

/// The option's name without its dashes and a value given after "=", or empty when the
/// argument is not an option.
std::string_view optionName(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-')
        return {};
    argument.remove_prefix(argument[1] == '-' ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

bool hasInlineValue(std::string_view argument) {
    return argument.find('=') != std::string_view::npos;
}

} // namespace

bool QtArguments::startTheTrayApplication(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (isOneOf(argument, trayOptions))
            continue;
        const std::string_view name = optionName(argument);
        if (isOneOf(name, withoutValue))
            continue;
        if (!isOneOf(name, withValue))
            return false;
        if (!hasInlineValue(argument) && ++i == arguments.size())
            return false;
    }
    return true;
}

std::optional<std::string> QtArguments::value(const std::vector<std::string>& arguments,
                                              const std::string& name) {
    std::optional<std::string> found;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionName(argument) != name)
            continue;
        if (hasInlineValue(argument))
            found = std::string(argument.substr(argument.find('=') + 1));
        else if (i + 1 < arguments.size())
            found = arguments[++i];
    }
    return found;
}

} // namespace sorvane
