// SPDX-License-Identifier: MIT
#include "ui/menu_row_button.h"

#include "ui/ui_style.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace sorvane {
namespace {
constexpr int horizontalPadding = 6;
constexpr int verticalPadding = 5;
constexpr int symbolFrame = 16;
constexpr int spacing = 8;
} // namespace

MenuRowButton::MenuRowButton(const QString& title, const QIcon& symbol, QWidget* parent)
    : KeyboardButton(parent) {
    setText(title);
    setIcon(symbol);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(title);
}

void MenuRowButton::setSubtitle(const QString& subtitle) {
    m_subtitle = subtitle;
    setAccessibleDescription(subtitle);
    updateGeometry();
    update();
}

QSize MenuRowButton::sizeHint() const {
    const QFontMetrics caption(UiStyle::caption(font()));
    const int width = 2 * horizontalPadding + symbolFrame + spacing +
                      fontMetrics().horizontalAdvance(text()) + spacing +
                      caption.horizontalAdvance(m_subtitle);
    return {width, std::max(symbolFrame, fontMetrics().height()) + 2 * verticalPadding};
}

void MenuRowButton::setHovering(bool hovering) {
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    update();
}

void MenuRowButton::mouseMoveEvent(QMouseEvent* event) {
    if (event->spontaneous() && rect().contains(event->position().toPoint()))
        setHovering(true);
    KeyboardButton::mouseMoveEvent(event);
}

void MenuRowButton::leaveEvent(QEvent* event) {
    setHovering(false);
    KeyboardButton::leaveEvent(event);
}

void MenuRowButton::hideEvent(QHideEvent* event) {
    // A panel that closes under the pointer sends no leave event; the row must start
    // unhighlighted when it opens again.
    setHovering(false);
    KeyboardButton::hideEvent(event);
}

void MenuRowButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setHovering(false);
    KeyboardButton::changeEvent(event);
}

void MenuRowButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    if (isEnabled() && (m_hovering || (showsFocusRing()))) {
        QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
        highlight.setAlphaF(m_hovering ? 0.15 : 0.10);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 5, 5);
        painter.fillPath(shape, highlight);
        if (showsFocusRing() && !m_hovering) {
            painter.setPen(QPen(pal.color(QPalette::Active, QPalette::Highlight), 1));
            painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        }
    }
    const QRect content =
        rect().adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    const int side = 16;
    icon().paint(&painter,
                 QRect(content.left() + (symbolFrame - side) / 2,
                       content.top() + (content.height() - side) / 2, side, side),
                 Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    int right = content.right();
    if (!m_subtitle.isEmpty()) {
        const QFont caption = UiStyle::caption(font());
        painter.setFont(caption);
        painter.setPen(isEnabled() ? UiStyle::secondaryText(pal)
                                   : pal.color(QPalette::Disabled, QPalette::WindowText));
        const int width = QFontMetrics(caption).horizontalAdvance(m_subtitle);
        painter.drawText(QRect(right - width, content.top(), width + 1, content.height()),
                         Qt::AlignVCenter | Qt::AlignRight, m_subtitle);
        right -= width + spacing;
        painter.setFont(font());
    }
    const int left = content.left() + symbolFrame + spacing;
    painter.setPen(
        pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QRect(left, content.top(), right - left, content.height()),
                     Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(text(), Qt::ElideRight, right - left));
}

} // namespace sorvane
