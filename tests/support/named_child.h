// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QObject>
#include <QWidget>

namespace sorvane::test {

/// The descendant of `parent` with the object name `name`, reached by what it is, as
/// users of the view see it; null when there is none.
template <class T> T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

/// The same, but null while the widget or a row around it is hidden: for lines the view
/// shows only at times.
template <class T> T* shownChild(const QWidget& parent, const char* name) {
    T* found = child<T>(parent, name);
    return found && found->isVisibleTo(&parent) ? found : nullptr;
}

/// The window of type `T` with the object name `name`; null while there is none.
template <class T> T* topLevel(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            if (T* window = qobject_cast<T*>(widget))
                return window;
    return nullptr;
}

} // namespace sorvane::test
