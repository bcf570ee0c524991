// SPDX-License-Identifier: MIT
#include "ui/badge.h"

#include "ui/ui_style.h"

#include <QPainter>

namespace sorvane {

Badge::Badge(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
    setFont(UiStyle::caption2(font()));
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Badge::sizeHint() const {
    return {fontMetrics().horizontalAdvance(m_text) + 12, fontMetrics().height() + 4};
}

void Badge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = UiStyle::secondaryText(palette());
    fill.setAlphaF(0.15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(box, box.height() / 2, box.height() / 2);
    painter.setPen(UiStyle::secondaryText(palette()));
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}

} // namespace sorvane
