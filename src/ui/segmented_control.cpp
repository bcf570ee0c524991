#include "ui/segmented_control.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace sorvane {

SegmentedControl::SegmentedControl(const QStringList& segments, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < segments.size(); ++i) {
        auto* button = new QPushButton(segments[i], this);
        button->setCheckable(true);
        button->setAccessibleName(segments[i]);
        m_group.addButton(button, i);
        layout->addWidget(button);
    }
    connect(&m_group, &QButtonGroup::idClicked, this, &SegmentedControl::activated);
}

void SegmentedControl::setCurrentIndex(int index) {
    if (auto* button = m_group.button(index))
        button->setChecked(true);
}

} // namespace sorvane
