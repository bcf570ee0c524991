// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>

namespace sorvane {

class AppState;
class PanelPopup;
class PanelWindow;
class SettingsWindow;
class TrayMenu;

/// The program's face: the tray icon with its drop-down panel and context menu, the
/// settings window, and on desktops without a tray the panel as a small window.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    /// `quit` ends the program safely. `shownAtStart`: show the panel's window at once when
    /// there is no tray (a start by hand rather than at login).
    TrayIcon(AppState& state, std::function<void()> quit, bool shownAtStart,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    /// What a later start of the program asks for: the panel, or its window without a tray.
    void showPanel();
    void togglePanel();
    void openSettings();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void watchForTray();
    void showWindow();

    AppState& m_state;
    std::function<void()> m_quit;
    QSystemTrayIcon m_tray;
    std::unique_ptr<TrayMenu> m_menu;
    std::unique_ptr<PanelPopup> m_popup;
    std::unique_ptr<PanelWindow> m_window;
    std::unique_ptr<SettingsWindow> m_settings;
    QTimer m_trayWatch;
};

} // namespace sorvane
