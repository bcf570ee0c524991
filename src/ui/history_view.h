#pragma once

#include "record/uuid.h"

#include <QWidget>
#include <set>

class QPushButton;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace sorvane {

class AppState;
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
    void rebuild();
    void refreshButtons();

    AppState& m_state;
    QStackedWidget* m_content;
    QWidget* m_emptyState;
    QScrollArea* m_scroll;
    QWidget* m_list;
    QVBoxLayout* m_listLayout;
    QPushButton* m_undo;
    QPushButton* m_clear;
    /// Which runs the user opened; kept across rebuilds, forgotten with the window.
    std::set<Uuid> m_expanded;
};

} // namespace sorvane
