// SPDX-License-Identifier: MIT
#include "ui/wrapped_label.h"

#include <QEvent>

namespace sorvane {

WrappedLabel::WrappedLabel(const QString& text, Tone tone, Size size, QWidget* parent)
    : ToneLabel(text, tone, size, parent) {
    setWordWrap(true);
}

int WrappedLabel::heightForWidth(int width) const {
    const auto known = m_heights.constFind(width);
    if (known != m_heights.cend())
        return *known;
    const int height = ToneLabel::heightForWidth(width);
    m_heights.insert(width, height);
    return height;
}

void WrappedLabel::changeEvent(QEvent* event) {
    ToneLabel::changeEvent(event);
    // What the text's height depends on, besides the width.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::ContentsRectChange)
        m_heights.clear();
}

} // namespace sorvane
