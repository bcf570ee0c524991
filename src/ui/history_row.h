// SPDX-License-Identifier: MIT
#pragma once

#include "record/moved_file.h"
#include "record/run_summary.h"

#include <QWidget>
#include <functional>
#include <vector>

namespace sorvane {

class Badge;
class LinkButton;

/// One clean run in the History tab: when, how and what it did, its error lines, and on
/// request the items it moved with the sub-folder each went to. The item lines are made the
/// first time they are shown, from the items `items` gives then.
class HistoryRow : public QWidget {
    Q_OBJECT
public:
    using ItemSource = std::function<std::vector<MovedFile>()>;

    HistoryRow(const RunSummary& run, bool expanded, ItemSource items, QWidget* parent = nullptr);

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
    void makeItemLines();

    Uuid m_id;
    ItemSource m_source;
    bool m_expanded;
    LinkButton* m_filesButton = nullptr;
    Badge* m_badge = nullptr;
    /// The item lines, made when first shown.
    QWidget* m_items = nullptr;
    QStringList m_errors;
};

} // namespace sorvane
