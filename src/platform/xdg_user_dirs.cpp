// SPDX-License-Identifier: MIT
#include "platform/xdg_user_dirs.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace sorvane {
namespace {

std::optional<std::filesystem::path> absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The file is written for the shell to source, so a quoted value may escape `"`, `\`, `$`
// and backquotes with a backslash.
std::string unquoted(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::string(value);
    value = value.substr(1, value.size() - 2);
    std::string result;
    result.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        result += value[i];
    }
    return result;
}

} // namespace

std::filesystem::path XdgUserDirs::homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::filesystem::path XdgUserDirs::configHome() {
    return absoluteVariable("XDG_CONFIG_HOME").value_or(homeDirectory() / ".config");
}

std::filesystem::path XdgUserDirs::dataHome() {
    return absoluteVariable("XDG_DATA_HOME").value_or(homeDirectory() / ".local/share");
}

std::optional<std::filesystem::path> XdgUserDirs::runtimeDirectory() {
    return absoluteVariable("XDG_RUNTIME_DIR");
}

std::filesystem::path XdgUserDirs::desktopDirectory() {
    return userDirectoryFromFile("DESKTOP").value_or(homeDirectory() / "Desktop");
}

std::filesystem::path XdgUserDirs::documentsDirectory() {
    return userDirectoryFromFile("DOCUMENTS").value_or(homeDirectory() / "Documents");
}

std::optional<std::filesystem::path> XdgUserDirs::userDirectoryFromFile(std::string_view key) {
    std::ifstream file(configHome() / "user-dirs.dirs", std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string contents{std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>()};
    return userDirectory(contents, key, homeDirectory());
}

std::optional<std::filesystem::path> XdgUserDirs::userDirectory(std::string_view contents,
                                                                std::string_view key,
                                                                const std::filesystem::path& home) {
    const std::string wanted = "XDG_" + std::string(key) + "_DIR";
    std::optional<std::filesystem::path> found;
    while (!contents.empty()) {
        const auto end = contents.find('\n');
        std::string_view line = trimmed(contents.substr(0, end));
        contents = end == std::string_view::npos ? std::string_view{} : contents.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != wanted)
            continue;
        const std::string value = unquoted(trimmed(line.substr(equals + 1)));
        // Like the shell that sources the file, a later line wins over an earlier one; an
        // unusable later line leaves the earlier value standing.
        if (value == "$HOME")
            found = home;
        else if (value.starts_with("$HOME/"))
            found = home / value.substr(6);
        else if (value.starts_with('/'))
            found = std::filesystem::path(value);
    }
    return found;
}

} // namespace sorvane
