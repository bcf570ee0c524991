// SPDX-License-Identifier: MIT
#include "ui/panel_popup.h"

#include "platform/log_categories.h"
#include "ui/menu_bar_view.h"

#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace sorvane {
namespace {

constexpr int gap = 4;

// With sorvane.panel's debug output on, the panel says when it was asked to open and when it
// first painted, with wall-clock milliseconds, for measuring how quickly it opens, and which
// headline it shows, for tests that cannot read the screen.
bool tracing() {
    return logPanel().isDebugEnabled();
}

} // namespace

PanelPopup::PanelPopup(MenuBarView* view, bool windowed)
    : QWidget(nullptr, (windowed ? Qt::Window : Qt::Popup) | Qt::FramelessWindowHint), m_view(view),
      m_windowed(windowed) {
    setObjectName(QStringLiteral("panelPopup"));
    setWindowTitle(tr("Sorvane"));
    setAccessibleName(tr("Sorvane"));
    // The click that closes the panel must not reach the tray icon as well, or it would
    // open the panel again at once.
    setAttribute(Qt::WA_NoMouseReplay);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(view);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(view, &MenuBarView::dismissRequested, this, &PanelPopup::close);
    m_focusLoss.setSingleShot(true);
    m_focusLoss.setInterval(focusLossMs);
    connect(&m_focusLoss, &QTimer::timeout, this, [this] {
        if (!isActiveWindow())
            close();
    });
    connect(view, &MenuBarView::resized, this, [this] {
        if (isVisible())
            place();
    });
}

bool PanelPopup::runsOnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect PanelPopup::placement(const QRect& anchor, const QSize& size, const QRect& available) {
    const QPoint centre = anchor.center();
    const bool below = centre.y() < available.center().y();
    QRect rect(QPoint(centre.x() - size.width() / 2,
                      below ? anchor.bottom() + 1 + gap : anchor.top() - gap - size.height()),
               size);
    if (rect.right() > available.right())
        rect.moveRight(available.right());
    if (rect.left() < available.left())
        rect.moveLeft(available.left());
    if (rect.bottom() > available.bottom())
        rect.moveBottom(available.bottom());
    if (rect.top() < available.top())
        rect.moveTop(available.top());
    return rect;
}

void PanelPopup::place() {
    adjustSize();
    if (m_windowed)
        return; // the compositor places it
    QScreen* screen = QGuiApplication::screenAt(m_anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), size());
    setGeometry(placement(m_anchor, size(), available));
}

void PanelPopup::showAt(const QRect& anchor) {
    if (tracing()) {
        qCDebug(logPanel) << "panel asked" << QDateTime::currentMSecsSinceEpoch();
        m_sinceShowAsked.start();
        m_traceNextPaint = true;
    }
    m_anchor = anchor.isValid() || m_windowed ? anchor : QRect(QCursor::pos(), QSize(1, 1));
    m_wasActive = false;
    m_view->refreshCounts();
    place();
    show();
    raise();
    activateWindow();
    m_view->focusFirstControl();
}

void PanelPopup::toggleAt(const QRect& anchor) {
    if (isVisible()) {
        close();
        return;
    }
    // On trays in another process the click on the icon first closes the panel as a click
    // outside it, and only then reaches us: that click meant "close".
    if (m_sinceHidden.isValid() && m_sinceHidden.elapsed() < 250)
        return;
    showAt(anchor);
}

void PanelPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PanelPopup::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !m_windowed || !isVisible())
        return;
    // Only a panel that had the focus closes on losing it: a compositor that grants none
    // must not make it vanish at once. Compositors also take the focus away for a moment
    // when a keyboard comes or goes (a virtual one, an on-screen one), so the loss must last.
    if (isActiveWindow()) {
        m_wasActive = true;
        m_focusLoss.stop();
    } else if (m_wasActive) {
        m_focusLoss.start();
    }
}

void PanelPopup::hideEvent(QHideEvent* event) {
    m_focusLoss.stop();
    m_sinceHidden.start();
    QWidget::hideEvent(event);
}

void PanelPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (tracing() && m_view->headlineText() != m_tracedHeadline) {
        m_tracedHeadline = m_view->headlineText();
        qCDebug(logPanel).noquote() << "panel shows:" << m_tracedHeadline;
    }
    if (m_traceNextPaint) {
        m_traceNextPaint = false;
        qCDebug(logPanel).nospace() << "panel painted " << QDateTime::currentMSecsSinceEpoch()
                                    << " (" << m_sinceShowAsked.elapsed() << " ms after asked)";
    }
}

} // namespace sorvane
