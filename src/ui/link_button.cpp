// SPDX-License-Identifier: MIT
#include "ui/link_button.h"

#include "ui/ui_style.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace sorvane {
namespace {
constexpr int spacing = 5;
} // namespace

LinkButton::LinkButton(QWidget* parent) : KeyboardButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int LinkButton::iconSpace() const {
    return icon().isNull() ? 0 : fontMetrics().height() + spacing;
}

QString LinkButton::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, width() - iconSpace() - 2 * padding);
}

QSize LinkButton::sizeHint() const {
    return {iconSpace() + fontMetrics().horizontalAdvance(text()) + 2 * padding + 1,
            fontMetrics().height() + 2 * padding};
}

QSize LinkButton::minimumSizeHint() const {
    return {iconSpace() + fontMetrics().horizontalAdvance(QStringLiteral("M\u2026M")) + 2 * padding,
            sizeHint().height()};
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = isEnabled() ? palette().color(QPalette::Active, QPalette::Highlight)
                                      : palette().color(QPalette::Disabled, QPalette::WindowText);
    const QString shown = shownText();
    const int textWidth = fontMetrics().horizontalAdvance(shown);
    int x = padding;
    if (!icon().isNull()) {
        const int side = fontMetrics().height();
        icon().paint(&painter, QRect(x, (height() - side) / 2, side, side), Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        x += side + spacing;
    }
    QFont drawn = font();
    drawn.setUnderline(isEnabled() && underMouse());
    painter.setFont(drawn);
    painter.setPen(colour);
    painter.drawText(QRect(x, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, shown);
    if (showsFocusRing()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.6, 0.6, -0.6, -0.6), 4, 4);
    }
}

} // namespace sorvane
