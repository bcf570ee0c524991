// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace sorvane {

class MenuBarView;

/// The drop-down panel under the tray icon: a frameless popup that closes on Escape or a
/// click elsewhere and counts the Desktop again each time it opens.
///
/// A Wayland client can neither place a window nor open a popup without a parent window of
/// its own, so there the panel is a small frameless window that goes where the compositor
/// puts it, takes the keyboard focus when granted, and closes on Escape or when it loses
/// the focus, as the popup does on a click elsewhere.
class PanelPopup : public QWidget {
    Q_OBJECT
public:
    /// How long a windowed panel may be without the focus before it closes.
    static constexpr int focusLossMs = 300;

    /// `windowed`: a window as described above rather than a popup; by default on Wayland.
    explicit PanelPopup(MenuBarView* view, bool windowed = runsOnWayland());

    static bool runsOnWayland();

    /// Shows the panel against `anchor` (the tray icon's geometry; empty when the tray gives
    /// none, then the pointer's position is used), kept inside the screen.
    void showAt(const QRect& anchor);
    /// Opens or closes the panel, as one click on the tray icon should.
    void toggleAt(const QRect& anchor);

    /// Where a panel of `size` goes for an icon at `anchor` on a screen whose free area is
    /// `available`: below an icon in the upper half, above one in the lower half, centred on
    /// it and clamped to the area.
    static QRect placement(const QRect& anchor, const QSize& size, const QRect& available);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    MenuBarView* m_view;
    bool m_windowed;
    bool m_wasActive = false;
    QTimer m_focusLoss;
    QRect m_anchor;
    QElapsedTimer m_sinceHidden;
    bool m_traceNextPaint = false;
    QString m_tracedHeadline;
    QElapsedTimer m_sinceShowAsked;
};

} // namespace sorvane
