#pragma once

#include "ui/keyboard_button.h"

namespace sorvane {

/// A button that looks like a link: an optional small symbol and text in the link colour,
/// underlined under the pointer, shortened in the middle when the row is too narrow.
class LinkButton : public KeyboardButton {
    Q_OBJECT
public:
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
