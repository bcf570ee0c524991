// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QFrame;
class QWidget;

namespace sorvane {

/// The few fonts and colours the views share, derived from the desktop's own font and
/// palette so that light and dark themes and the user's font size are followed.
class UiStyle {
public:
    /// Small text under controls: help texts, the status line.
    static QFont caption(const QFont& base);
    /// Smaller still: badges.
    static QFont caption2(const QFont& base);
    /// The base font at `scale` of its size with the given weight.
    static QFont scaled(const QFont& base, qreal scale, QFont::Weight weight);

    /// Text that should recede: about half the strength of the normal text.
    static QColor secondaryText(const QPalette& palette);
    /// Error lines: a red that keeps its contrast on light and dark backgrounds.
    static QColor errorText(const QPalette& palette);
    /// True when the window background is dark.
    static bool isDark(const QPalette& palette);

    /// Whether a control that got the focus for `reason` shows a focus ring: only when the
    /// keyboard moved it there, or a click would leave a ring on every link the mouse used
    /// (focus passed on from a control that became disabled is not the keyboard's).
    /// A window or popup handing the focus back keeps what was shown (`shown`).
    static bool showsFocusRing(Qt::FocusReason reason, bool shown);

    /// A full-width hairline between sections.
    static QFrame* divider(QWidget* parent);
};

} // namespace sorvane
