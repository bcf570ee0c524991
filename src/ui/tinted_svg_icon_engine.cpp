#include "ui/tinted_svg_icon_engine.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace sorvane {

TintedSvgIconEngine::TintedSvgIconEngine(QString resource, QPalette::ColorRole role)
    : m_resource(std::move(resource)), m_role(role) {}

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
    QSvgRenderer renderer(m_resource);
    if (pixels.isEmpty() || !renderer.isValid())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the symbol square and centred whatever rectangle it is asked to fill.
    const int side = std::min(pixels.width(), pixels.height());
    renderer.render(&painter, QRectF((pixels.width() - side) / 2.0, (pixels.height() - side) / 2.0,
                                     side, side));
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
    return new TintedSvgIconEngine(m_resource, m_role);
}

} // namespace sorvane
