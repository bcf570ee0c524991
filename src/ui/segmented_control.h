// SPDX-License-Identifier: MIT
#pragma once

#include <QButtonGroup>
#include <QWidget>

namespace sorvane {

/// A row of joined, mutually exclusive segments in one frame; exactly one is chosen, filled
/// in the accent colour.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedControl(const QStringList& segments, QWidget* parent = nullptr);

    int currentIndex() const { return m_group.checkedId(); }
    /// Selects without announcing it.
    void setCurrentIndex(int index);
    QAbstractButton* segment(int index) const { return m_group.button(index); }

    /// The chosen segment's fill: the accent, darkened on light themes where white text on
    /// it would lack contrast.
    static QColor chosenFill(const QPalette& palette);

signals:
    /// The user chose a segment.
    void activated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QButtonGroup m_group;
};

} // namespace sorvane
