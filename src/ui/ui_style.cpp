// SPDX-License-Identifier: MIT
#include "ui/ui_style.h"

#include "ui/button_input.h"

#include <QFrame>
#include <QWidget>
#include <algorithm>

namespace sorvane {

QFont UiStyle::scaled(const QFont& base, qreal scale, QFont::Weight weight) {
    QFont font = base;
    if (base.pointSizeF() > 0)
        font.setPointSizeF(std::max(6.5, base.pointSizeF() * scale));
    else
        font.setPixelSize(std::max(9, qRound(base.pixelSize() * scale)));
    font.setWeight(weight);
    return font;
}

QFont UiStyle::caption(const QFont& base) {
    return scaled(base, 0.88, QFont::Normal);
}

QFont UiStyle::caption2(const QFont& base) {
    return scaled(base, 0.8, QFont::Normal);
}

QColor UiStyle::secondaryText(const QPalette& palette) {
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(isDark(palette) ? 0.6 : 0.58);
    return color;
}

QColor UiStyle::errorText(const QPalette& palette) {
    return isDark(palette) ? QColor(0xff, 0x6b, 0x60) : QColor(0xc0, 0x1c, 0x28);
}

bool UiStyle::isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

bool UiStyle::showsFocusRing(Qt::FocusReason reason, bool shown) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
        // Also the reason Qt gives when a control that had the focus is disabled.
        return ButtonInput::wasKeyboard();
    case Qt::ShortcutFocusReason:
        return true;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return shown;
    default:
        return false;
    }
}

QFrame* UiStyle::divider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    line->setFixedHeight(1);
    return line;
}

} // namespace sorvane
