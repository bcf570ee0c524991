// SPDX-License-Identifier: MIT
#include "ui/elided_label.h"

#include "ui/ui_style.h"

#include <QPainter>

namespace sorvane {

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QWidget(parent), m_mode(mode) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    setToolTip(text);
    setAccessibleName(text);
    updateGeometry();
    update();
}

void ElidedLabel::setSecondary(bool secondary) {
    m_secondary = secondary;
    update();
}

void ElidedLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void ElidedLabel::setSymbolFont(QChar symbol, const QFont& font) {
    m_symbol = symbol;
    m_symbolFont = font;
    updateGeometry();
    update();
}

int ElidedLabel::symbolExtra() const {
    if (!m_symbolFont)
        return 0;
    return std::max(0, QFontMetrics(*m_symbolFont).horizontalAdvance(m_symbol) -
                           fontMetrics().horizontalAdvance(m_symbol));
}

QString ElidedLabel::shownText() const {
    const int extra = symbolExtra() * static_cast<int>(m_text.count(m_symbol));
    return fontMetrics().elidedText(m_text, m_mode, contentsRect().width() - extra);
}

QSize ElidedLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(m_text) +
                symbolExtra() * static_cast<int>(m_text.count(m_symbol)) + 2,
            fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("M\u2026M")), fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_secondary ? UiStyle::secondaryText(palette())
                               : palette().color(QPalette::WindowText));
    const QString shown = shownText();
    if (!m_symbolFont || !shown.contains(m_symbol)) {
        painter.drawText(contentsRect(), Qt::AlignVCenter | m_alignment, shown);
        return;
    }
    // Piece by piece, each symbol in its own font.
    const QStringList parts = shown.split(m_symbol);
    const QFontMetrics symbolMetrics(*m_symbolFont);
    const int symbolWidth = symbolMetrics.horizontalAdvance(m_symbol);
    int width = symbolWidth * static_cast<int>(parts.size() - 1);
    for (const QString& part : parts)
        width += fontMetrics().horizontalAdvance(part);
    QRect area = contentsRect();
    if (m_alignment & Qt::AlignRight)
        area.setLeft(area.right() - width);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, parts[i]);
        area.setLeft(area.left() + fontMetrics().horizontalAdvance(parts[i]));
        if (i + 1 == parts.size())
            break;
        painter.save();
        painter.setFont(*m_symbolFont);
        painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft, QString(m_symbol));
        painter.restore();
        area.setLeft(area.left() + symbolWidth);
    }
}

} // namespace sorvane
