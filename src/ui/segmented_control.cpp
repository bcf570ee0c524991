#include "ui/segmented_control.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

namespace sorvane {

SegmentedControl::SegmentedControl(const QStringList& segments, QWidget* parent) : QWidget(parent) {
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
    connect(&m_group, &QButtonGroup::idToggled, this, &SegmentedControl::colourSegments);
    colourSegments();
}

void SegmentedControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_colouring)
        colourSegments();
}

void SegmentedControl::colourSegments() {
    m_colouring = true;
    const QPalette base = palette();
    for (auto* button : m_group.buttons()) {
        QPalette colours = base;
        if (button->isChecked()) {
            colours.setColor(QPalette::Button, base.color(QPalette::Active, QPalette::Highlight));
            colours.setColor(QPalette::ButtonText,
                             base.color(QPalette::Active, QPalette::HighlightedText));
        }
        button->setPalette(colours);
    }
    m_colouring = false;
}

void SegmentedControl::setCurrentIndex(int index) {
    if (auto* button = m_group.button(index))
        button->setChecked(true);
}

} // namespace sorvane
