#pragma once

#include <QAbstractButton>

namespace sorvane {

/// A button that looks like a link: an optional small symbol and text in the link colour,
/// underlined under the pointer, shortened in the middle when the row is too narrow.
class LinkButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit LinkButton(QWidget* parent = nullptr);

    /// What is drawn at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_focusRing = false;
    int iconSpace() const;
};

} // namespace sorvane
