// SPDX-License-Identifier: MIT
#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// A button that looks like a link: an optional small symbol and text in the link colour,
/// underlined under the pointer, shortened in the middle when the row is too narrow.
class LinkButton : public KeyboardButton {
    Q_OBJECT
public:
    /// Room around the label for the focus ring; a layout that lines the label up with the
    /// text above it takes this much off its edge.
    static constexpr int padding = 3;

    explicit LinkButton(QWidget* parent = nullptr);

    /// What is drawn at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int iconSpace() const;
};

} // namespace sorvane
