// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPalette>

namespace sorvane {

/// The symbols the views show, as one consistent set: the icon theme's symbolic icon where
/// it has one, our own drawing otherwise, both drawn by us in a colour of the palette (a
/// theme's full-colour icons would not match our drawings).
class Symbols {
public:
    enum class Symbol {
        folder,
        tag,
        undo,
        update,
        tip,
        settings,
        quit,
        schedule,
        history,
        appSymbol,
    };

    /// The symbol in the palette colour `role` (text colour unless asked otherwise).
    static QIcon icon(Symbol symbol, QPalette::ColorRole role = QPalette::WindowText);
    /// The tray's own artwork. `symbolic`: for a StatusNotifierItem host, the installed
    /// one-colour icon by name, which the host tints to suit its panel; the full-colour
    /// artwork when it is not installed, and for XEmbed trays, which draw what they get.
    static QIcon trayIcon(bool symbolic = false);
};

} // namespace sorvane
