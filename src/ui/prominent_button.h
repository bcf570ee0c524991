// SPDX-License-Identifier: MIT
#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// The panel's main action: a filled button in the accent colour, title centred across the
/// whole width. Space and Return press it.
class ProminentButton : public KeyboardButton {
    Q_OBJECT
public:
    explicit ProminentButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
};

} // namespace sorvane
