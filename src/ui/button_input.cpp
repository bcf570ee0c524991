// SPDX-License-Identifier: MIT
#include "ui/button_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace sorvane {
namespace {

QPointer<ButtonInput>& instance() {
    static QPointer<ButtonInput> watcher;
    return watcher;
}

} // namespace

void ButtonInput::watch() {
    if (instance() || !QCoreApplication::instance())
        return;
    instance() = new ButtonInput(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(instance());
}

bool ButtonInput::wasKeyboard() {
    return instance() && instance()->m_keyboard;
}

bool ButtonInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (event->spontaneous())
            m_keyboard = true;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool pressKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                              key->key() == Qt::Key_Space;
        if (key->isAutoRepeat() && pressKey && qobject_cast<QAbstractButton*>(watched))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
    case QEvent::Wheel:
        if (event->spontaneous())
            m_keyboard = false;
        break;
    case QEvent::FocusIn: {
        // Qt marks the window for focus frames whenever focus moves with a Tab reason; the
        // styles then draw a frame on whatever control it landed on.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && !m_keyboard &&
            (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            widget->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace sorvane
