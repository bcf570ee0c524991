// SPDX-License-Identifier: MIT
#include "ui/tray_icon.h"

#include "app/app_state.h"
#include "platform/log_categories.h"
#include "ui/menu_bar_view.h"
#include "ui/panel_popup.h"
#include "ui/panel_window.h"
#include "ui/settings_window.h"
#include "ui/symbols.h"
#include "ui/tray_menu.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>

namespace sorvane {
namespace {

// Qt shows the icon through a StatusNotifierItem when this watcher is on the session bus,
// and through XEmbed otherwise.
bool hasStatusNotifierHost() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

} // namespace

TrayIcon::TrayIcon(AppState& state, std::function<void()> quit, bool shownAtStart, QObject* parent)
    : QObject(parent), m_state(state), m_quit(std::move(quit)) {
    const PanelActions actions{[this] { openSettings(); },
                               [this] {
                                   if (m_quit)
                                       m_quit();
                               }};
    m_popup = std::make_unique<PanelPopup>(new MenuBarView(state, actions));
    m_menu = std::make_unique<TrayMenu>(state, actions, [this] { showPanel(); });

    m_tray.setIcon(Symbols::trayIcon(hasStatusNotifierHost()));
    m_tray.setToolTip(tr("Sorvane"));
    m_tray.setContextMenu(m_menu.get());
    connect(&m_tray, &QSystemTrayIcon::activated, this, &TrayIcon::activated);

    m_trayWatch.setInterval(std::chrono::seconds(5));
    connect(&m_trayWatch, &QTimer::timeout, this, &TrayIcon::watchForTray);

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray.show();
    } else {
        m_trayWatch.start();
        if (shownAtStart)
            showWindow();
    }
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::watchForTray() {
    // Qt shows no icon when there was no tray at the time; a tray that comes later (a panel
    // restarted, an extension switched on) gets the icon then.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayWatch.stop();
    m_tray.setIcon(Symbols::trayIcon(hasStatusNotifierHost()));
    m_tray.show();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger)
        return;
    qCDebug(logPanel) << "tray clicked" << QDateTime::currentMSecsSinceEpoch();
    togglePanel();
}

void TrayIcon::togglePanel() {
    m_popup->toggleAt(m_tray.geometry());
}

void TrayIcon::showPanel() {
    if (m_tray.isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        m_popup->showAt(m_tray.geometry());
    else
        showWindow();
}

void TrayIcon::showWindow() {
    if (!m_window) {
        const PanelActions actions{[this] { openSettings(); },
                                   [this] {
                                       if (m_quit)
                                           m_quit();
                                   }};
        m_window = std::make_unique<PanelWindow>(new MenuBarView(m_state, actions));
    }
    m_window->present();
}

void TrayIcon::openSettings() {
    if (!m_settings)
        m_settings = std::make_unique<SettingsWindow>(m_state, [this] {
            if (m_quit)
                m_quit();
        });
    m_settings->present();
}

} // namespace sorvane
