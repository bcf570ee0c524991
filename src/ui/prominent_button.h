#pragma once

#include <QAbstractButton>

namespace sorvane {

/// The panel's main action: a filled button in the accent colour, title centred across the
/// whole width. Space and Return press it.
class ProminentButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ProminentButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_focusRing = false;
};

} // namespace sorvane
