// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

class QLabel;
class QVBoxLayout;

namespace sorvane {

class ToneLabel;

/// One inset, rounded group of a settings form: a row per control with its label at the
/// leading edge and the control at the trailing edge, hairlines between the rows.
class FormSection : public QFrame {
    Q_OBJECT
public:
    explicit FormSection(QWidget* parent = nullptr);

    /// A labelled row at `index` (the end when -1); the label names the control for screen
    /// readers. Gives the row, which can be deleted to take it out again.
    QWidget* addRow(const QString& label, QWidget* control, int index = -1);
    /// A control that spans the row (a check box carries its own label), at `index` (the end
    /// when -1).
    QWidget* addWideRow(QWidget* control, int index = -1);
    /// A help text spanning the row, small and secondary.
    ToneLabel* addHelp(const QString& text);

    int rowCount() const;
    int indexOf(QWidget* row) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_layout;
};

} // namespace sorvane
