// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>

namespace sorvane {

/// The base of our drawn buttons: Return and Enter press them as Space does, and they show
/// a focus ring only when the keyboard put the focus there, not after a click.
class KeyboardButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit KeyboardButton(QWidget* parent = nullptr);

    /// Whether the button draws its focus ring now: it has the focus, and the keyboard put
    /// it there.
    bool showsFocusRing() const { return hasFocus() && m_focusRing; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_focusRing = false;
};

} // namespace sorvane
