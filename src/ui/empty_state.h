// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace sorvane {

/// The standard look of a list with nothing in it: a large symbol, a title and a line of
/// explanation, centred.
class EmptyState : public QWidget {
    Q_OBJECT
public:
    EmptyState(const QIcon& symbol, const QString& title, const QString& description,
               QWidget* parent = nullptr);
};

} // namespace sorvane
