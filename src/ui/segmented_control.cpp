// SPDX-License-Identifier: MIT
#include "ui/segmented_control.h"

#include "ui/segment_button.h"
#include "ui/ui_style.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace sorvane {
namespace {
constexpr qreal radius = 6;
} // namespace

SegmentedControl::SegmentedControl(const QStringList& segments, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    for (int i = 0; i < segments.size(); ++i) {
        auto* button = new SegmentButton(segments[i], this);
        m_group.addButton(button, i);
        layout->addWidget(button);
    }
    connect(&m_group, &QButtonGroup::idClicked, this, &SegmentedControl::activated);
    connect(&m_group, &QButtonGroup::idToggled, this, [this] { update(); });
}

QColor SegmentedControl::chosenFill(const QPalette& palette) {
    const QColor accent = palette.color(QPalette::Active, QPalette::Highlight);
    return UiStyle::isDark(palette) ? accent : accent.darker(125);
}

void SegmentedControl::setCurrentIndex(int index) {
    if (auto* button = m_group.button(index))
        button->setChecked(true);
}

void SegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    QColor border = pal.color(QPalette::WindowText);
    border.setAlphaF(0.25);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(frame, radius, radius);
    painter.fillPath(
        outline, pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Button));
    if (auto* chosen = m_group.checkedButton()) {
        // The chosen segment's fill, clipped to the frame so that end segments keep the
        // rounded corners.
        painter.save();
        painter.setClipPath(outline);
        painter.fillRect(QRectF(chosen->geometry()).adjusted(-1, -1, 1, 1),
                         isEnabled() ? chosenFill(pal)
                                     : pal.color(QPalette::Disabled, QPalette::Highlight));
        painter.restore();
    }
    painter.setPen(QPen(border, 1));
    painter.drawPath(outline);
    // Hairlines between segments that are not chosen.
    const auto buttons = m_group.buttons();
    for (int i = 1; i < buttons.size(); ++i) {
        auto* left = m_group.button(i - 1);
        auto* right = m_group.button(i);
        if (left->isChecked() || right->isChecked())
            continue;
        const qreal x = (left->geometry().right() + right->geometry().left() + 1) / 2.0 + 0.5;
        painter.drawLine(QPointF(x, frame.top() + 4), QPointF(x, frame.bottom() - 4));
    }
}

} // namespace sorvane
