// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QPalette>
#include <QString>

namespace sorvane {

/// Draws a one-colour symbol in a colour of the application's palette, at whatever size and
/// pixel density it is asked for, so that symbols follow light and dark themes and stay sharp
/// on high-density screens. The symbol is one of our SVG resources, or an icon theme's
/// symbolic icon, which Qt 6.4 would otherwise draw in the theme's own grey.
class TintedSvgIconEngine : public QIconEngine {
public:
    explicit TintedSvgIconEngine(QString resource, QPalette::ColorRole role = QPalette::WindowText);
    TintedSvgIconEngine(QIcon themed, QPalette::ColorRole role);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("TintedSvgIconEngine"); }

private:
    QColor colour(QIcon::Mode mode) const;

    QString m_resource;
    QIcon m_themed;
    QPalette::ColorRole m_role;
};

} // namespace sorvane
