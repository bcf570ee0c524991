// SPDX-License-Identifier: MIT
#include "ui/keyboard_button.h"

#include "ui/button_input.h"
#include "ui/ui_style.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace sorvane {

KeyboardButton::KeyboardButton(QWidget* parent) : QAbstractButton(parent) {
    ButtonInput::watch();
}

void KeyboardButton::focusInEvent(QFocusEvent* event) {
    m_focusRing = UiStyle::showsFocusRing(event->reason(), m_focusRing);
    QAbstractButton::focusInEvent(event);
}

void KeyboardButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (isEnabled())
            animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace sorvane
