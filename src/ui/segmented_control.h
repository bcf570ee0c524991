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

protected:
    void changeEvent(QEvent* event) override;

private:
    /// The chosen segment in the accent colour: a merely pressed-in look is hard to tell
    /// apart in many themes, dark ones above all.
    void colourSegments();

    bool m_colouring = false;
    QButtonGroup m_group;
};

} // namespace sorvane
