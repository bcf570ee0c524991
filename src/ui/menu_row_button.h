// SPDX-License-Identifier: MIT
#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// One action row of the panel: symbol, title and, at the trailing end, an optional
/// subtitle; highlighted while the pointer is over it or it has the keyboard focus.
///
/// The highlight follows only the pointer's own movements over the row after it is shown:
/// Qt also sends enter events made up from the last known pointer position when rows appear
/// or move, and on Wayland that position is stale once the pointer has left the panel.
class MenuRowButton : public KeyboardButton {
    Q_OBJECT
public:
    MenuRowButton(const QString& title, const QIcon& symbol, QWidget* parent = nullptr);

    void setSubtitle(const QString& subtitle);
    const QString& subtitle() const { return m_subtitle; }
    bool isHovering() const { return m_hovering; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setHovering(bool hovering);

    QString m_subtitle;
    bool m_hovering = false;
};

} // namespace sorvane
