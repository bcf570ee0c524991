// SPDX-License-Identifier: MIT
#include "ui/form_page.h"

#include "ui/form_section.h"

#include <QVBoxLayout>

namespace sorvane {

FormPage::FormPage(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(this);
    content->setBackgroundRole(QPalette::Window);
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(margin, margin, margin, margin);
    m_column->setSpacing(16);
    m_column->addStretch(1);
    setWidget(content);
    viewport()->setBackgroundRole(QPalette::Window);
}

FormSection* FormPage::addSection() {
    auto* section = new FormSection(widget());
    m_column->insertWidget(m_column->count() - 1, section);
    return section;
}

} // namespace sorvane
