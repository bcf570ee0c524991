// SPDX-License-Identifier: MIT
#include "ui/tray_menu.h"

#include "app/app_state.h"
#include "app/display_texts.h"
#include "history/history_store.h"
#include "settings/app_settings.h"
#include "ui/symbols.h"
#include "updates/updater_view_model.h"

namespace sorvane {

TrayMenu::TrayMenu(AppState& state, PanelActions actions, std::function<void()> openPanel,
                   QWidget* parent)
    : QMenu(parent), m_state(state), m_actions(std::move(actions)) {
    using S = Symbols::Symbol;
    addAction(tr("Open Sorvane"), this, std::move(openPanel))
        ->setObjectName(QStringLiteral("openAction"));
    m_headline = addAction(QString());
    m_headline->setObjectName(QStringLiteral("headlineAction"));
    m_headline->setEnabled(false);
    addSeparator();
    m_clean = addAction(tr("Clean Now"), this, [this] { m_state.cleanNow(CleanTrigger::manual); });
    m_undo = addAction(Symbols::icon(S::undo), tr("Undo last clean"), this,
                       [this] { m_state.undoLastClean(); });
    m_clean->setObjectName(QStringLiteral("cleanAction"));
    m_undo->setObjectName(QStringLiteral("undoAction"));
    m_automatic = addAction(tr("Clean automatically"));
    m_automatic->setObjectName(QStringLiteral("automaticAction"));
    m_automatic->setCheckable(true);
    connect(m_automatic, &QAction::triggered, this,
            [this](bool on) { m_state.settings().setAgentEnabled(on); });
    addSeparator();
    m_update = addAction(Symbols::icon(S::update), tr("Check for Updates\u2026"), this,
                         [this] { m_state.updater().checkForUpdates(); });
    m_update->setObjectName(QStringLiteral("updateAction"));
    m_update->setVisible(m_state.updater().isAvailable());
    addAction(Symbols::icon(S::tip), tr("Leave a Tip\u2026"), this, [this] {
        m_state.openTip();
    })->setObjectName(QStringLiteral("tipAction"));
    addAction(Symbols::icon(S::settings), tr("Settings\u2026"), this, [this] {
        if (m_actions.openSettings)
            m_actions.openSettings();
    })->setObjectName(QStringLiteral("settingsAction"));
    addSeparator();
    addAction(Symbols::icon(S::quit), tr("Quit Sorvane"), this, [this] {
        if (m_actions.quit)
            m_actions.quit();
    })->setObjectName(QStringLiteral("quitAction"));

    // Menus exported to another process's tray are read when they change, not when they
    // open, so they follow the state as the panel does.
    connect(&state, &AppState::countsChanged, this, &TrayMenu::refresh);
    connect(&state, &AppState::isWorkingChanged, this, &TrayMenu::refresh);
    connect(&state, &AppState::changed, this, &TrayMenu::refresh);
    connect(&state.updater(), &UpdaterViewModel::canCheckForUpdatesChanged, this,
            &TrayMenu::refresh);
    // Trays ask for the menu only as it opens; the count it shows may be old, so it is taken
    // again in the background and the labels follow when it arrives. Nothing waits for it:
    // "Clean Now" does not depend on it.
    connect(this, &QMenu::aboutToShow, this, [this] {
        refresh();
        m_state.refreshCounts();
    });
    refresh();
}

void TrayMenu::refresh() {
    const bool working = m_state.isWorking();
    m_clean->setText(working ? tr("Working\u2026") : tr("Clean Now"));
    // Enabled whatever the last count said: files may have arrived since, and a clean that
    // finds nothing says so.
    m_clean->setEnabled(!working);
    m_headline->setText(DisplayTexts::headline(m_state.pendingCount()));
    const auto undoable = m_state.history().lastUndoable();
    m_undo->setVisible(undoable.has_value());
    if (undoable)
        m_undo->setText(tr("Undo last clean (%n item(s))", nullptr, int(undoable->movedCount)));
    m_undo->setEnabled(!working);
    m_automatic->setChecked(m_state.settings().agentEnabled());
    m_update->setEnabled(m_state.updater().canCheckForUpdates());
}

} // namespace sorvane
