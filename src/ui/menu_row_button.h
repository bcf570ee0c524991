#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// One action row of the panel: symbol, title and, at the trailing end, an optional
/// subtitle; highlighted while the pointer is over it or it has the keyboard focus.
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
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_subtitle;
    bool m_hovering = false;
};

} // namespace sorvane
