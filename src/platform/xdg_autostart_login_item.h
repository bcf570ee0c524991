// SPDX-License-Identifier: MIT
#pragma once

#include "platform/login_item.h"

#include <filesystem>
#include <string>

namespace sorvane {

/// Starting at login through an XDG autostart entry, `app.sorvane.Sorvane.desktop` in the
/// user's autostart folder, which every freedesktop.org session reads.
///
/// The entry is on when the file exists and neither hides itself (`Hidden=true`) nor is
/// switched off the GNOME way (`X-GNOME-Autostart-enabled=false`). A file this class wrote
/// carries `X-Sorvane-Generated=true` and is rewritten or removed freely. A file under the
/// same name that the user made (desktop settings tools copy the application's entry there)
/// is never removed or replaced: turning it off sets `Hidden=true` in it, turning it on
/// clears both switches, and every other line stays as the user left it.
class XdgAutostartLoginItem : public LoginItem {
public:
    /// `program` is the absolute path of the executable that the session should start; the
    /// folder is read from the environment at every call.
    explicit XdgAutostartLoginItem(std::filesystem::path program);
    /// For the running program.
    XdgAutostartLoginItem();

    bool isEnabled() const override;
    std::optional<QString> setEnabled(bool enabled) override;
    /// Rewrites an entry this class wrote, and which is on, when it starts another program
    /// than this one or lacks `TryExec` (written by an older version, or before the program
    /// moved), so that the session neither starts a stale path nor shows a broken entry.
    void refresh();

    /// `$XDG_CONFIG_HOME/autostart/app.sorvane.Sorvane.desktop`.
    static std::filesystem::path entryPath();
    /// The entry this class writes for `program`; none when the path cannot be written in a
    /// desktop entry (bytes that are not UTF-8).
    static std::optional<std::string> entryFor(const std::filesystem::path& program);
    /// One argument of an `Exec=` value: quoted and escaped when it holds reserved characters.
    static std::string execArgument(const std::string& argument);

private:
    std::optional<QString> enable();
    std::optional<QString> disable();

    std::filesystem::path m_program;
};

} // namespace sorvane
