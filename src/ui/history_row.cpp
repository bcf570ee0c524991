// SPDX-License-Identifier: MIT
#include "ui/history_row.h"

#include "app/display_texts.h"
#include "ui/badge.h"
#include "ui/elided_label.h"
#include "ui/link_button.h"
#include "ui/tone_label.h"
#include "ui/ui_style.h"
#include "ui/wrapped_label.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvane {

HistoryRow::HistoryRow(const RunSummary& record, bool expanded, ItemSource items, QWidget* parent)
    : QWidget(parent), m_id(record.id), m_source(std::move(items)), m_expanded(expanded) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(4);

    auto* header = new QHBoxLayout;
    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    auto* date = new QLabel(DisplayTexts::runDate(record.date), this);
    date->setFont(UiStyle::scaled(font(), 0.95, QFont::Medium));
    lines->addWidget(date);
    const QString summary = DisplayTexts::triggerWord(record.trigger) + QStringLiteral(" \u00B7 ") +
                            DisplayTexts::summary(record);
    lines->addWidget(new ToneLabel(summary, ToneLabel::Tone::secondary, ToneLabel::Size::caption));
    header->addLayout(lines);
    header->addStretch(1);
    if (record.undone) {
        m_badge = new Badge(tr("Undone"), this);
        header->addWidget(m_badge, 0, Qt::AlignVCenter);
    }
    if (record.movedCount > 0) {
        m_filesButton = new LinkButton(this);
        m_filesButton->setFont(UiStyle::caption(font()));
        connect(m_filesButton, &LinkButton::clicked, this, [this] {
            setExpanded(!m_expanded);
            emit expandedChanged(m_id, m_expanded);
        });
        header->addWidget(m_filesButton, 0, Qt::AlignVCenter);
    }
    column->addLayout(header);

    for (const auto& error : record.errors) {
        m_errors << QString::fromStdString(error);
        column->addWidget(new WrappedLabel(m_errors.back(), ToneLabel::Tone::error,
                                           ToneLabel::Size::caption, this));
    }
    setExpanded(expanded);
}

QString HistoryRow::itemLine(const std::string& newPath) {
    const std::filesystem::path path(newPath);
    return DisplayTexts::fileName(path) + QStringLiteral("  \u2192  ") +
           DisplayTexts::fileName(path.parent_path());
}

void HistoryRow::makeItemLines() {
    m_items = new QWidget(this);
    m_items->setObjectName(QStringLiteral("historyItems"));
    auto* items = new QVBoxLayout(m_items);
    items->setContentsMargins(4, 2, 0, 0);
    items->setSpacing(2);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(UiStyle::caption(font()).pointSizeF() * 0.95);
    for (const auto& moved : m_source()) {
        auto* line = new ElidedLabel(Qt::ElideMiddle, m_items);
        line->setFont(mono);
        line->setSymbolFont(QChar(0x2192), UiStyle::scaled(font(), 1.2, QFont::Normal));
        line->setSecondary(true);
        line->setText(itemLine(moved.newPath));
        items->addWidget(line);
    }
    // Below the header, above the error lines.
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, m_items);
}

void HistoryRow::setExpanded(bool expanded) {
    m_expanded = expanded && m_filesButton;
    if (m_expanded && !m_items)
        makeItemLines();
    if (m_items)
        m_items->setVisible(m_expanded);
    if (m_filesButton) {
        m_filesButton->setText(m_expanded ? tr("Hide") : tr("Files"));
        m_filesButton->setAccessibleName(m_filesButton->text());
        m_filesButton->updateGeometry();
    }
}

QStringList HistoryRow::itemLines() const {
    QStringList lines;
    if (m_items)
        for (auto* line : m_items->findChildren<ElidedLabel*>(Qt::FindDirectChildrenOnly))
            lines << line->text();
    return lines;
}

QStringList HistoryRow::errorLines() const {
    return m_errors;
}

} // namespace sorvane
