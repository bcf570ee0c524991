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
    m_listLayout = new QVBoxLayout(m_list);
    m_listLayout->setContentsMargins(FormPage::margin, FormPage::margin, FormPage::margin,
                                     FormPage::margin);
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

    connect(&state.history(), &HistoryStore::recordsChanged, this, &HistoryView::rebuild);
    connect(&state, &AppState::isWorkingChanged, this, &HistoryView::refreshButtons);
    rebuild();
}

bool HistoryView::showsEmptyState() const {
    return m_content->currentWidget() == m_emptyState;
}

QList<HistoryRow*> HistoryView::rows() const {
    return m_list->findChildren<HistoryRow*>();
}

void HistoryView::rebuild() {
    const auto& records = m_state.history().records();
    // Rows are rebuilt whole: a run's content changes with an undo, and sixty rows at most
    // are quick to make.
    while (auto* item = m_listLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    std::set<Uuid> present;
    if (!records.empty()) {
        auto* section = new FormSection(m_list);
        for (const auto& record : records) {
            present.insert(record.id);
            auto* row = new HistoryRow(record, m_expanded.contains(record.id));
            connect(row, &HistoryRow::expandedChanged, this, [this](const Uuid& id, bool open) {
                if (open)
                    m_expanded.insert(id);
                else
                    m_expanded.erase(id);
            });
            section->addWideRow(row);
        }
        m_listLayout->addWidget(section);
    }
    m_listLayout->addStretch(1);
    std::erase_if(m_expanded, [&](const Uuid& id) { return !present.contains(id); });
    m_content->setCurrentWidget(records.empty() ? m_emptyState : static_cast<QWidget*>(m_scroll));
    refreshButtons();
}

void HistoryView::refreshButtons() {
    m_undo->setEnabled(m_state.history().lastUndoable().has_value() && !m_state.isWorking());
    m_clear->setEnabled(!m_state.history().records().empty());
}

} // namespace sorvane
