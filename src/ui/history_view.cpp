// SPDX-License-Identifier: MIT
#include "ui/history_view.h"

#include "app/app_state.h"
#include "history/history_store.h"
#include "ui/empty_state.h"
#include "ui/form_page.h"
#include "ui/form_section.h"
#include "ui/history_row.h"
#include "ui/symbols.h"
#include "ui/ui_style.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace sorvane {

HistoryView::HistoryView(AppState& state, QWidget* parent) : QWidget(parent), m_state(state) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_content = new QStackedWidget(this);
    m_emptyState = new EmptyState(
        Symbols::icon(Symbols::Symbol::history), tr("No cleans yet"),
        tr("Once you clean your desktop, every move shows up here so you can find a file or "
           "put it back."),
        m_content);
    m_content->addWidget(m_emptyState);
    m_scroll = new QScrollArea(m_content);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setBackgroundRole(QPalette::Window);
    m_list = new QWidget;
    auto* listLayout = new QVBoxLayout(m_list);
    listLayout->setContentsMargins(FormPage::margin, FormPage::margin, FormPage::margin,
                                   FormPage::margin);
    m_section = new FormSection(m_list);
    listLayout->addWidget(m_section);
    listLayout->addStretch(1);
    m_scroll->setWidget(m_list);
    m_content->addWidget(m_scroll);
    layout->addWidget(m_content, 1);

    layout->addWidget(UiStyle::divider(this));
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(12, 12, 12, 12);
    m_undo = new QPushButton(tr("Undo Last Clean"), this);
    connect(m_undo, &QPushButton::clicked, this, [this] { m_state.undoLastClean(); });
    bar->addWidget(m_undo);
    bar->addStretch(1);
    m_clear = new QPushButton(tr("Clear History"), this);
    connect(m_clear, &QPushButton::clicked, this, [this] { m_state.history().clear(); });
    bar->addWidget(m_clear);
    layout->addLayout(bar);

    connect(&state.history(), &HistoryStore::recordsChanged, this, &HistoryView::showRuns);
    connect(&state, &AppState::isWorkingChanged, this, &HistoryView::refreshButtons);
    showRuns();
}

bool HistoryView::showsEmptyState() const {
    return m_content->currentWidget() == m_emptyState;
}

QList<HistoryRow*> HistoryView::rows() const {
    return m_list->findChildren<HistoryRow*>();
}

void HistoryView::showRuns() {
    const auto runs = m_state.history().runs();
    std::erase_if(m_shown, [&](const auto& shown) {
        const bool same = std::find(runs.begin(), runs.end(), shown.second.run) != runs.end();
        if (!same)
            delete shown.second.row;
        return !same;
    });
    // The rows that stay are in the history's order, so each new one goes at its own index.
    for (int index = 0; index < static_cast<int>(runs.size()); ++index) {
        const RunSummary& run = runs[static_cast<std::size_t>(index)];
        if (m_shown.contains(run.id))
            continue;
        auto* row = new HistoryRow(run, m_expanded.contains(run.id), [this, id = run.id] {
            const auto record = m_state.history().record(id);
            return record ? record->moved : std::vector<MovedFile>{};
        });
        connect(row, &HistoryRow::expandedChanged, this, [this](const Uuid& id, bool open) {
            if (open)
                m_expanded.insert(id);
            else
                m_expanded.erase(id);
        });
        m_shown.insert({run.id, {run, m_section->addWideRow(row, index)}});
    }
    std::erase_if(m_expanded, [&](const Uuid& id) {
        return std::none_of(runs.begin(), runs.end(),
                            [&](const RunSummary& run) { return run.id == id; });
    });
    m_section->setVisible(!runs.empty());
    m_content->setCurrentWidget(runs.empty() ? m_emptyState : static_cast<QWidget*>(m_scroll));
    refreshButtons();
}

void HistoryView::refreshButtons() {
    m_undo->setEnabled(m_state.history().lastUndoable().has_value() && !m_state.isWorking());
    m_clear->setEnabled(!m_shown.empty());
}

} // namespace sorvane
