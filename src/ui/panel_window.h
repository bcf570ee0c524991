// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace sorvane {

class MenuBarView;

/// The panel's content as a small ordinary window, for desktops that have no tray to hang
/// the panel from.
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    explicit PanelWindow(MenuBarView* view);

    /// Shows the window, or brings it to the front when it is open.
    void present();

private:
    MenuBarView* m_view;
};

} // namespace sorvane
