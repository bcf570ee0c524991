// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace sorvane {

/// A short word on a faint capsule, such as "Undone" on a history row.
class Badge : public QWidget {
    Q_OBJECT
public:
    explicit Badge(const QString& text, QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

} // namespace sorvane
