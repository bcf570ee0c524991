#pragma once

#include <QAbstractButton>

namespace sorvane {

/// An on/off switch with its label at the leading edge and the switch at the trailing
/// edge; the whole row toggles it.
class SwitchButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Size { small, regular };
    explicit SwitchButton(const QString& text, Size size = Size::regular,
                          QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_focusRing = false;
    QSize trackSize() const;

    Size m_size;
};

} // namespace sorvane
