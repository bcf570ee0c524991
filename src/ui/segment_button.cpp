// SPDX-License-Identifier: MIT
#include "ui/segment_button.h"

#include <QPainter>

namespace sorvane {
namespace {
constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 4;
} // namespace

SegmentButton::SegmentButton(const QString& title, QWidget* parent) : KeyboardButton(parent) {
    setText(title);
    setAccessibleName(title);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize SegmentButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 2 * horizontalPadding,
            fontMetrics().height() + 2 * verticalPadding};
}

void SegmentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(
        pal.color(group, isChecked() ? QPalette::HighlightedText : QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (showsFocusRing()) {
        painter.setPen(QPen(isChecked() ? pal.color(QPalette::HighlightedText)
                                        : pal.color(QPalette::Highlight),
                            1.2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
    }
}

} // namespace sorvane
