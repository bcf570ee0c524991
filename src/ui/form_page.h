#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace sorvane {

class FormSection;

/// A settings tab in the grouped style: a vertically scrolling column of sections.
class FormPage : public QScrollArea {
    Q_OBJECT
public:
    explicit FormPage(QWidget* parent = nullptr);

    FormSection* addSection();

private:
    QVBoxLayout* m_column;
};

} // namespace sorvane
