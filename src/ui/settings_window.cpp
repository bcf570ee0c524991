// SPDX-License-Identifier: MIT
#include "ui/settings_window.h"

#include "app/app_state.h"
#include "ui/button_input.h"
#include "ui/general_settings.h"
#include "ui/history_view.h"
#include "ui/schedule_settings.h"
#include "ui/symbols.h"
#include "ui/update_settings.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sorvane {
namespace {

int indexOf(SettingsTab tab) {
    return static_cast<int>(std::find(allSettingsTabs.begin(), allSettingsTabs.end(), tab) -
                            allSettingsTabs.begin());
}

} // namespace

SettingsWindow::SettingsWindow(AppState& state, std::function<void()> quit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_quit(std::move(quit)),
      m_tabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("settingsWindow"));
    ButtonInput::watch();
    setWindowTitle(tr("Sorvane Settings"));
    setWindowIcon(Symbols::trayIcon());
    setFixedSize(fixedSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(m_tabs);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setDocumentMode(true);
    m_tabs->setIconSize(QSize(16, 16));

    using S = Symbols::Symbol;
    const std::pair<QString, S> labels[] = {{tr("General"), S::settings},
                                            {tr("Schedule"), S::schedule},
                                            {tr("Updates"), S::update},
                                            {tr("History"), S::history}};
    for (const auto& [label, symbol] : labels) {
        auto* holder = new QWidget(m_tabs);
        auto* holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        m_tabs->addTab(holder, Symbols::icon(symbol), label);
    }
    selectStateTab();
    ensurePage(m_tabs->currentIndex());
    connect(m_tabs, &QTabWidget::currentChanged, this, &SettingsWindow::tabChosen);
    connect(&state, &AppState::settingsTabChanged, this, &SettingsWindow::selectStateTab);
    addShortcuts();
}

void SettingsWindow::addShortcuts() {
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    if (m_quit) {
        auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
        connect(quit, &QShortcut::activated, this, [this] { m_quit(); });
    }
}

QWidget* SettingsWindow::page(SettingsTab tab) const {
    QWidget* holder = m_tabs->widget(indexOf(tab));
    return holder && holder->layout()->count() > 0 ? holder->layout()->itemAt(0)->widget()
                                                   : nullptr;
}

void SettingsWindow::ensurePage(int index) {
    if (index < 0 || index >= static_cast<int>(allSettingsTabs.size()))
        return;
    QWidget* holder = m_tabs->widget(index);
    if (holder->layout()->count() > 0)
        return;
    QWidget* content = nullptr;
    switch (allSettingsTabs[static_cast<std::size_t>(index)]) {
    case SettingsTab::general:
        content = new GeneralSettings(m_state, holder);
        break;
    case SettingsTab::schedule:
        content = new ScheduleSettings(m_state, holder);
        break;
    case SettingsTab::updates:
        content = new UpdateSettings(m_state.updater(), AppState::tipURL().host(), holder);
        break;
    case SettingsTab::history:
        content = new HistoryView(m_state, holder);
        break;
    }
    holder->layout()->addWidget(content);
}

void SettingsWindow::selectStateTab() {
    const int index = indexOf(m_state.settingsTab());
    if (m_tabs->currentIndex() != index)
        m_tabs->setCurrentIndex(index);
}

void SettingsWindow::tabChosen(int index) {
    ensurePage(index);
    const auto tab = allSettingsTabs[static_cast<std::size_t>(index)];
    if (m_state.settingsTab() != tab)
        m_state.setSettingsTab(tab);
}

void SettingsWindow::present() {
    if (!m_placed) {
        m_placed = true;
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

} // namespace sorvane
