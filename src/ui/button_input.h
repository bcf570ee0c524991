// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace sorvane {

/// How every button of the application answers the keyboard. It remembers whether the user
/// last used the keyboard or the pointer, so that focus which Qt moves on its own (the focused
/// control became disabled, and Qt passed the focus on as if Tab had been pressed) shows no
/// focus ring; and a held Return, Enter or Space presses a button once, not once per repeat.
class ButtonInput : public QObject {
    Q_OBJECT
public:
    /// Starts watching the application's input; safe to call any number of times.
    static void watch();
    /// True when the latest key press came after the latest click or touch.
    static bool wasKeyboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool m_keyboard = false;
};

} // namespace sorvane
