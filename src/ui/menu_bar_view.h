// SPDX-License-Identifier: MIT
#pragma once

#include "ui/panel_actions.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace sorvane {

class AppState;
class LinkButton;
class MenuRowButton;
class ProminentButton;
class SwitchButton;
class ToneLabel;

/// The panel's content: the Desktop's state and the main actions. It keeps nothing of its
/// own; every text and enabled state is read from the application state when it changes.
class MenuBarView : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 300;
    /// A clean or undo shorter than this shows no progress bar, so quick work does not flicker.
    static constexpr int progressDelayMs = 500;

    MenuBarView(AppState& state, PanelActions actions, QWidget* parent = nullptr);

    /// Counts the Desktop again; called each time the panel or window shows.
    void refreshCounts();
    /// Gives the keyboard focus to the first usable control.
    void focusFirstControl();
    /// What the panel says of the Desktop; the panel's trace follows it.
    QString headlineText() const;

signals:
    /// An action opened something else; a drop-down panel should get out of its way.
    void dismissRequested();
    /// The content's height changed.
    void resized();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeStatusSection();
    QWidget* makeScheduleSection();
    QWidget* makeActionsSection();
    MenuRowButton* addRow(QWidget* section, const QString& title, const QIcon& icon,
                          std::function<void()> action, bool dismisses);

    void refresh();
    void refreshSchedule();
    void refreshProgress();
    void workingChanged();
    void fitHeight();

    AppState& m_state;
    PanelActions m_actions;
    QTimer m_progressDelay;

    ToneLabel* m_headline = nullptr;
    ProminentButton* m_cleanButton = nullptr;
    LinkButton* m_archiveLink = nullptr;
    QWidget* m_taggedRow = nullptr;
    ToneLabel* m_taggedText = nullptr;
    ToneLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    SwitchButton* m_automatic = nullptr;
    ToneLabel* m_scheduleLine = nullptr;
    MenuRowButton* m_undoRow = nullptr;
    MenuRowButton* m_updateRow = nullptr;
    MenuRowButton* m_tipRow = nullptr;
    MenuRowButton* m_settingsRow = nullptr;
    MenuRowButton* m_quitRow = nullptr;
};

} // namespace sorvane
