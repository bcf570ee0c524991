// SPDX-License-Identifier: MIT
#include "ui/prominent_button.h"

#include "ui/ui_style.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace sorvane {

ProminentButton::ProminentButton(QWidget* parent) : KeyboardButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    QFont bold = font();
    bold.setWeight(QFont::DemiBold);
    setFont(bold);
}

QSize ProminentButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 32, fontMetrics().height() + 16};
}

QSize ProminentButton::minimumSizeHint() const {
    return sizeHint();
}

void ProminentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    QColor fill = isEnabled() ? pal.color(QPalette::Active, QPalette::Highlight)
                              : pal.color(QPalette::Disabled, QPalette::Button);
    if (isEnabled() && isDown())
        fill = fill.darker(120);
    else if (isEnabled() && underMouse())
        fill = fill.lighter(108);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    painter.fillPath(shape, fill);
    if (!isEnabled()) {
        painter.setPen(QPen(pal.color(QPalette::Disabled, QPalette::Mid), 1));
        painter.drawPath(shape);
    }
    if (showsFocusRing()) {
        // A ring outside the fill: the accent colour on the accent fill would not show.
        painter.setPen(QPen(pal.color(QPalette::Active, QPalette::Highlight), 1.5));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 7.5, 7.5);
        painter.setPen(QPen(pal.color(QPalette::Active, QPalette::HighlightedText), 1));
        painter.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 4.5, 4.5);
    }
    painter.setPen(isEnabled() ? pal.color(QPalette::Active, QPalette::HighlightedText)
                               : pal.color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace sorvane
