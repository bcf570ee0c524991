#pragma once

#include <QIconEngine>
#include <QPalette>
#include <QString>

namespace sorvane {

/// Draws a one-colour SVG symbol in a colour of the application's palette, at whatever size
/// and pixel density it is asked for, so that symbols follow light and dark themes and stay
/// sharp on high-density screens.
class TintedSvgIconEngine : public QIconEngine {
public:
    explicit TintedSvgIconEngine(QString resource, QPalette::ColorRole role = QPalette::WindowText);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("TintedSvgIconEngine"); }

private:
    QColor colour(QIcon::Mode mode) const;

    QString m_resource;
    QPalette::ColorRole m_role;
};

} // namespace sorvane
