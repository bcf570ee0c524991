// SPDX-License-Identifier: MIT
#include "ui/tinted_svg_icon_engine.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace sorvane {

TintedSvgIconEngine::TintedSvgIconEngine(QString resource, QPalette::ColorRole role)
    : m_resource(std::move(resource)), m_role(role) {}

TintedSvgIconEngine::TintedSvgIconEngine(QIcon themed, QPalette::ColorRole role)
    : m_themed(std::move(themed)), m_role(role) {}

QColor TintedSvgIconEngine::colour(QIcon::Mode mode) const {
    const QPalette palette = QGuiApplication::palette();
    switch (mode) {
    case QIcon::Disabled:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case QIcon::Selected:
        return palette.color(QPalette::HighlightedText);
    default:
        return palette.color(QPalette::Active, m_role);
    }
}

QPixmap TintedSvgIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State,
                                          qreal scale) {
    const QSize pixels = size * scale;
    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    if (pixels.isEmpty())
        return pixmap;
    // Keep the symbol square and centred whatever rectangle it is asked to fill.
    const int side = std::min(pixels.width(), pixels.height());
    const QRectF square((pixels.width() - side) / 2.0, (pixels.height() - side) / 2.0, side, side);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_themed.isNull()) {
        painter.drawPixmap(square.toRect(), m_themed.pixmap(QSize(side, side)));
    } else {
        QSvgRenderer renderer(m_resource);
        if (!renderer.isValid())
            return pixmap;
        renderer.render(&painter, square);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour(mode));
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QPixmap TintedSvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return scaledPixmap(size, mode, state, 1.0);
}

void TintedSvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                                QIcon::State state) {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
}

QIconEngine* TintedSvgIconEngine::clone() const {
    if (!m_themed.isNull())
        return new TintedSvgIconEngine(m_themed, m_role);
    return new TintedSvgIconEngine(m_resource, m_role);
}

} // namespace sorvane
