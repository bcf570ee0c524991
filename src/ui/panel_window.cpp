// SPDX-License-Identifier: MIT
#include "ui/panel_window.h"

#include "ui/menu_bar_view.h"
#include "ui/symbols.h"

#include <QVBoxLayout>

namespace sorvane {

PanelWindow::PanelWindow(MenuBarView* view) : QWidget(nullptr), m_view(view) {
    setObjectName(QStringLiteral("panelWindow"));
    setWindowTitle(tr("Sorvane"));
    setWindowIcon(Symbols::trayIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PanelWindow::present() {
    m_view->refreshCounts();
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

} // namespace sorvane
