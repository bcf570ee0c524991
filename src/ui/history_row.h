#pragma once

#include "record/clean_record.h"

#include <QWidget>

namespace sorvane {

class Badge;
class LinkButton;

/// One clean run in the History tab: when, how and what it did, its error lines, and on
/// request the items it moved with the sub-folder each went to.
class HistoryRow : public QWidget {
    Q_OBJECT
public:
    HistoryRow(const CleanRecord& record, bool expanded, QWidget* parent = nullptr);

    const Uuid& recordId() const { return m_id; }
    bool isExpanded() const { return m_expanded; }
    /// Null when the run moved nothing.
    LinkButton* filesButton() const { return m_filesButton; }
    /// Null unless the run is undone.
    Badge* undoneBadge() const { return m_badge; }
    /// The lines shown while expanded ("name  →  sub-folder").
    QStringList itemLines() const;
    QStringList errorLines() const;

    /// "screenshot.png  →  2025-03 March" for an item now at `newPath`.
    static QString itemLine(const std::string& newPath);

signals:
    void expandedChanged(const sorvane::Uuid& id, bool expanded);

private:
    void setExpanded(bool expanded);

    Uuid m_id;
    bool m_expanded;
    LinkButton* m_filesButton = nullptr;
    Badge* m_badge = nullptr;
    QWidget* m_items = nullptr;
    QStringList m_errors;
};

} // namespace sorvane
