#pragma once

#include "app/settings_tab.h"

#include <QWidget>

class QTabWidget;

namespace sorvane {

class AppState;

/// "Sorvane Settings": the four tabs, each made the first time it is shown. The selected
/// tab is the application state's, so the window reopens where the user left it.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize fixedSize{520, 680};

    explicit SettingsWindow(AppState& state, QWidget* parent = nullptr);

    /// Shows the window (centred the first time) or brings it to the front.
    void present();

    QTabWidget* tabs() const { return m_tabs; }
    /// The content of a tab; null until it has been shown.
    QWidget* page(SettingsTab tab) const;

private:
    void selectStateTab();
    void tabChosen(int index);
    void ensurePage(int index);

    AppState& m_state;
    QTabWidget* m_tabs;
    bool m_placed = false;
};

} // namespace sorvane
