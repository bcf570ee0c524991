#pragma once

#include <QButtonGroup>
#include <QWidget>

namespace sorvane {

/// A row of joined, mutually exclusive buttons; exactly one is selected.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedControl(const QStringList& segments, QWidget* parent = nullptr);

    int currentIndex() const { return m_group.checkedId(); }
    /// Selects without announcing it.
    void setCurrentIndex(int index);
    QAbstractButton* segment(int index) const { return m_group.button(index); }

signals:
    /// The user chose a segment.
    void activated(int index);

private:
    QButtonGroup m_group;
};

} // namespace sorvane
