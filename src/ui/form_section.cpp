// SPDX-License-Identifier: MIT
#include "ui/form_section.h"

#include "ui/tone_label.h"
#include "ui/ui_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace sorvane {
namespace {
constexpr int inset = 12;
constexpr int radius = 8;
constexpr const char* helpProperty = "sorvaneHelpRow";
} // namespace

FormSection::FormSection(QWidget* parent) : QFrame(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(inset, 6, inset, 6);
    m_layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

QWidget* FormSection::addRow(const QString& label, QWidget* control, int index) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 7, 0, 7);
    layout->setSpacing(12);
    auto* name = new QLabel(label, row);
    name->setBuddy(control);
    layout->addWidget(name);
    const bool expands = control->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag;
    if (!expands)
        layout->addStretch(1);
    control->setParent(row);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(label);
    layout->addWidget(control, expands ? 1 : 0);
    m_layout->insertWidget(index, row);
    return row;
}

QWidget* FormSection::addWideRow(QWidget* control, int index) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 7, 0, 7);
    control->setParent(row);
    layout->addWidget(control);
    m_layout->insertWidget(index, row);
    return row;
}

ToneLabel* FormSection::addHelp(const QString& text) {
    auto* help = new ToneLabel(text, ToneLabel::Tone::secondary, ToneLabel::Size::caption, this);
    help->setWordWrap(true);
    help->setContentsMargins(0, 2, 0, 8);
    help->setProperty(helpProperty, true);
    m_layout->addWidget(help);
    return help;
}

int FormSection::rowCount() const {
    return m_layout->count();
}

int FormSection::indexOf(QWidget* row) const {
    return m_layout->indexOf(row);
}

void FormSection::paintEvent(QPaintEvent* event) {
    // A long section (a full history) is mostly out of sight, and its hairlines and outline
    // cost more to clip than its rows to paint: only the part being painted is drawn, with
    // cut ends (rounded like the real ones) beyond it.
    const int top = event->rect().top() - 2 * radius;
    const int bottom = event->rect().bottom() + 2 * radius;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    QColor fill = pal.color(QPalette::Base);
    if (UiStyle::isDark(pal))
        fill = pal.color(QPalette::Window).lighter(125);
    QColor border = pal.color(QPalette::WindowText);
    border.setAlphaF(0.12);
    QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    area.setTop(std::max<qreal>(area.top(), top));
    area.setBottom(std::min<qreal>(area.bottom(), bottom));
    QPainterPath shape;
    shape.addRoundedRect(area, radius, radius);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(border, 1));
    painter.drawPath(shape);

    // Hairlines between visible rows; a help text belongs to the row above it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    bool first = true;
    for (int i = 0; i < m_layout->count(); ++i) {
        QWidget* row = m_layout->itemAt(i)->widget();
        if (!row || row->isHidden())
            continue;
        if (row->geometry().top() > bottom)
            break;
        if (!first && !row->property(helpProperty).toBool() && row->geometry().top() >= top)
            painter.drawLine(inset, row->geometry().top(), width() - inset, row->geometry().top());
        first = false;
    }
}

} // namespace sorvane
