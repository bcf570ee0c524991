// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

/// The names a folder's `.hidden` file lists, one per line: the convention by which GNOME
/// Files and Dolphin hide items whose names do not start with ".".
class HiddenNames {
public:
    HiddenNames() = default;
    /// Reads `.hidden` in the open folder; a missing or unreadable file hides nothing.
    explicit HiddenNames(int folderFd);

    bool contains(std::string_view name) const;

    /// One name per line; a trailing carriage return is dropped, empty lines are ignored.
    static HiddenNames fromText(std::string_view text);

private:
    std::vector<std::string> m_names; // sorted, so a lookup allocates nothing
};

} // namespace sorvane
