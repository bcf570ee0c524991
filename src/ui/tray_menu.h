// SPDX-License-Identifier: MIT
#pragma once

#include "ui/panel_actions.h"

#include <QMenu>

namespace sorvane {

class AppState;

/// The tray icon's context menu: the panel's actions, for trays that only show menus.
class TrayMenu : public QMenu {
    Q_OBJECT
public:
    TrayMenu(AppState& state, PanelActions actions, std::function<void()> openPanel,
             QWidget* parent = nullptr);

private:
    void refresh();

    AppState& m_state;
    PanelActions m_actions;
    QAction* m_headline;
    QAction* m_clean;
    QAction* m_undo;
    QAction* m_automatic;
    QAction* m_update;
};

} // namespace sorvane
