// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace sorvane {

/// The user's folders as the XDG base-directory and user-dirs conventions place them, read
/// from the current environment on every call so that a test can point HOME elsewhere.
class XdgUserDirs {
public:
    /// HOME, or the password database's entry when HOME is unset or empty.
    static std::filesystem::path homeDirectory();
    /// $XDG_CONFIG_HOME when absolute, else ~/.config.
    static std::filesystem::path configHome();
    /// $XDG_DATA_HOME when absolute, else ~/.local/share.
    static std::filesystem::path dataHome();
    /// $XDG_RUNTIME_DIR when set and absolute.
    static std::optional<std::filesystem::path> runtimeDirectory();

    /// XDG_DESKTOP_DIR of user-dirs.dirs, else ~/Desktop. May name the home folder itself,
    /// which is how users switch the Desktop off; callers decide what that means.
    static std::filesystem::path desktopDirectory();
    /// XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents.
    static std::filesystem::path documentsDirectory();

    /// The folder that the `XDG_<key>_DIR` line of a user-dirs.dirs text names, with
    /// `$HOME` expanded; none when the line is absent or names a relative path.
    static std::optional<std::filesystem::path> userDirectory(std::string_view contents,
                                                              std::string_view key,
                                                              const std::filesystem::path& home);

private:
    static std::optional<std::filesystem::path> userDirectoryFromFile(std::string_view key);
};

} // namespace sorvane
