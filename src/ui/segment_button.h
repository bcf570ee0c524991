// SPDX-License-Identifier: MIT
#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// One segment of a `SegmentedControl`: only its title and focus ring; the control draws the
/// joined frame and the chosen segment's fill behind the segments.
class SegmentButton : public KeyboardButton {
    Q_OBJECT
public:
    explicit SegmentButton(const QString& title, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sorvane
