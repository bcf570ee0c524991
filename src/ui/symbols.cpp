// SPDX-License-Identifier: MIT
#include "ui/symbols.h"

#include "platform/application_id.h"
#include "ui/tinted_svg_icon_engine.h"

namespace sorvane {
namespace {

struct SymbolNames {
    const char* themeName;
    const char* resource;
};

SymbolNames names(Symbols::Symbol symbol) {
    using S = Symbols::Symbol;
    switch (symbol) {
    case S::folder:
        return {"folder", "folder"};
    case S::tag:
        return {"tag", "tag"};
    case S::undo:
        return {"edit-undo", "edit-undo"};
    case S::update:
        return {"system-software-update", "system-software-update"};
    case S::tip:
        // No theme names a cup; ours is always used.
        return {nullptr, "cup"};
    case S::settings:
        return {"preferences-system", "preferences-system"};
    case S::quit:
        return {"application-exit", "application-exit"};
    case S::schedule:
        return {"clock", "clock"};
    case S::history:
        return {"document-open-recent", "history"};
    case S::appSymbol:
        return {nullptr, "menubar-symbol"};
    }
    return {nullptr, "folder"};
}

QString resourcePath(const char* name) {
    return QStringLiteral(":/sorvane/icons/%1.svg").arg(QLatin1String(name));
}

} // namespace

QIcon Symbols::icon(Symbol symbol, QPalette::ColorRole role) {
    const auto [themeName, resource] = names(symbol);
    if (themeName) {
        const QString symbolic = QLatin1String(themeName) + QStringLiteral("-symbolic");
        if (QIcon::hasThemeIcon(symbolic))
            return QIcon(new TintedSvgIconEngine(QIcon::fromTheme(symbolic), role));
    }
    return QIcon(new TintedSvgIconEngine(resourcePath(resource), role));
}

QIcon Symbols::trayIcon(bool symbolic) {
    const QIcon artwork(resourcePath("menubar-icon"));
    if (!symbolic)
        return artwork;
    return QIcon::fromTheme(QLatin1String(applicationId) + QStringLiteral("-symbolic"), artwork);
}

} // namespace sorvane
