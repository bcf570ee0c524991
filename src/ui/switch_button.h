// SPDX-License-Identifier: MIT
#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// An on/off switch with its label at the leading edge and the switch at the trailing
/// edge; the whole row toggles it.
class SwitchButton : public KeyboardButton {
    Q_OBJECT
public:
    enum class Size { small, regular };
    explicit SwitchButton(const QString& text, Size size = Size::regular,
                          QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize trackSize() const;

    Size m_size;
};

} // namespace sorvane
