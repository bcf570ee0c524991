// SPDX-License-Identifier: MIT
#pragma once

#include "record/run_summary.h"
#include "record/uuid.h"

#include <QWidget>
#include <map>
#include <set>

class QPushButton;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace sorvane {

class AppState;
class FormSection;
class HistoryRow;

/// The History tab: every recorded run, newest first, with undo and clear.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    explicit HistoryView(AppState& state, QWidget* parent = nullptr);

    QPushButton* undoButton() const { return m_undo; }
    QPushButton* clearButton() const { return m_clear; }
    bool showsEmptyState() const;
    QList<HistoryRow*> rows() const;

private:
    /// A row as shown: the run as it was when the row was made, and the section's row.
    struct ShownRun {
        RunSummary run;
        QWidget* row;
    };

    /// Brings the rows in line with the history: rows of runs that are gone or changed go,
    /// rows of new runs come at their place; the others stay as they are.
    void showRuns();
    void refreshButtons();

    AppState& m_state;
    QStackedWidget* m_content;
    QWidget* m_emptyState;
    QScrollArea* m_scroll;
    QWidget* m_list;
    FormSection* m_section;
    std::map<Uuid, ShownRun> m_shown;
    QPushButton* m_undo;
    QPushButton* m_clear;
    /// Which runs the user opened; kept while rows change, forgotten with the window.
    std::set<Uuid> m_expanded;
};

} // namespace sorvane
