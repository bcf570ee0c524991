#pragma once

#include <QAbstractButton>

namespace sorvane {

/// The base of our drawn buttons: Return and Enter press them as Space does, and they show
/// a focus ring only when the keyboard put the focus there, not after a click.
class KeyboardButton : public QAbstractButton {
    Q_OBJECT
public:
    using QAbstractButton::QAbstractButton;

protected:
    /// Whether the subclass's paint should draw its focus ring now.
    bool showsFocusRing() const { return hasFocus() && m_focusRing; }

    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_focusRing = false;
};

} // namespace sorvane
