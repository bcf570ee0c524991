// SPDX-License-Identifier: MIT
#include "ui/tone_label.h"

#include "ui/ui_style.h"

#include <QApplication>
#include <QEvent>

namespace sorvane {

ToneLabel::ToneLabel(const QString& text, Tone tone, Size size, QWidget* parent)
    : QLabel(text, parent), m_tone(tone) {
    if (size == Size::caption)
        setFont(UiStyle::caption(font()));
    setTextFormat(Qt::PlainText);
    applyTone();
}

void ToneLabel::setTone(Tone tone) {
    if (tone == m_tone)
        return;
    m_tone = tone;
    applyTone();
}

void ToneLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_applying)
        applyTone();
}

void ToneLabel::applyTone() {
    // Start from the inherited palette so that only the text colour is ours.
    QPalette palette = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    const QColor colour = m_tone == Tone::secondary ? UiStyle::secondaryText(palette)
                          : m_tone == Tone::error   ? UiStyle::errorText(palette)
                                                    : palette.color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    m_applying = true;
    setPalette(palette);
    m_applying = false;
}

} // namespace sorvane
