#pragma once

#include <QIcon>
#include <QPalette>

namespace sorvane {

/// The symbols the views show: the desktop's icon theme first, our own drawings otherwise.
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

    static QIcon icon(Symbol symbol);
    /// Our own drawing only, in a palette colour (the panel's header uses the accent).
    static QIcon tinted(Symbol symbol, QPalette::ColorRole role);
    /// The tray's own artwork, which reads on light and dark panels.
    static QIcon trayIcon();
};

} // namespace sorvane
