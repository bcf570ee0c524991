// SPDX-License-Identifier: MIT
#pragma once

#include "app/settings_tab.h"

#include <QWidget>
#include <functional>

class QTabWidget;

namespace sorvane {

class AppState;

/// "Sorvane Settings": the four tabs, each made the first time it is shown. The selected
/// tab is the application state's, so the window reopens where the user left it. Escape and
/// Ctrl+W close it; Ctrl+Q quits the program as the menu's Quit does.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize fixedSize{520, 680};

    /// `quit` ends the program safely (Ctrl+Q); none leaves Ctrl+Q unbound.
    explicit SettingsWindow(AppState& state, std::function<void()> quit = {},
                            QWidget* parent = nullptr);

    /// Shows the window (centred the first time) or brings it to the front.
    void present();

    /// The content of a tab; null until it has been shown.
    QWidget* page(SettingsTab tab) const;

private:
    void selectStateTab();
    void tabChosen(int index);
    void ensurePage(int index);

    void addShortcuts();

    AppState& m_state;
    std::function<void()> m_quit;
    QTabWidget* m_tabs;
    bool m_placed = false;
};

} // namespace sorvane
