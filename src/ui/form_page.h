// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace sorvane {

class FormSection;

/// A settings tab in the grouped style: a vertically scrolling column of sections.
class FormPage : public QScrollArea {
    Q_OBJECT
public:
    /// Space around the column of sections; the History tab keeps the same, so that its
    /// list does not jump when switching tabs.
    static constexpr int margin = 20;

    explicit FormPage(QWidget* parent = nullptr);

    FormSection* addSection();

private:
    QVBoxLayout* m_column;
};

} // namespace sorvane
