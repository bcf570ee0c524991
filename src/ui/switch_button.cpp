// SPDX-License-Identifier: MIT
#include "ui/switch_button.h"

#include "ui/ui_style.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace sorvane {

SwitchButton::SwitchButton(const QString& text, Size size, QWidget* parent)
    : KeyboardButton(parent), m_size(size) {
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SwitchButton::trackSize() const {
    const int height = m_size == Size::small ? fontMetrics().height() : fontMetrics().height() + 4;
    return {qRound(height * 1.75), height};
}

QSize SwitchButton::sizeHint() const {
    const QSize track = trackSize();
    return {fontMetrics().horizontalAdvance(text()) + 12 + track.width() + 4,
            std::max(track.height(), fontMetrics().height()) + 6};
}

void SwitchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QSize size = trackSize();
    const QRectF track(width() - size.width() - 2, (height() - size.height()) / 2.0, size.width(),
                       size.height());

    painter.setPen(pal.color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, int(track.left()) - 8, height()), Qt::AlignVCenter | Qt::AlignLeft,
                     text());

    QColor fill =
        isChecked() ? pal.color(QPalette::Active, QPalette::Highlight) : pal.color(QPalette::Mid);
    if (!isEnabled())
        fill.setAlphaF(0.45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const qreal radius = track.height() / 2.0;
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = track.height() - 4;
    const qreal knobX = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setBrush(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
    painter.drawEllipse(QRectF(knobX, track.top() + 2, knob, knob));

    if (showsFocusRing()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(pal.color(QPalette::Highlight), 1.5));
        painter.drawRoundedRect(track.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    }
}

} // namespace sorvane
