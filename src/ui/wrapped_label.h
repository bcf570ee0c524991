// SPDX-License-Identifier: MIT
#pragma once

#include "ui/tone_label.h"

#include <QHash>

namespace sorvane {

/// A word-wrapped label of fixed text that remembers its height at each width. A plain
/// wrapped label lays its text out anew every time a layout asks, and a list of many of them
/// is asked for each row's height several times per layout pass.
class WrappedLabel : public ToneLabel {
    Q_OBJECT
public:
    WrappedLabel(const QString& text, Tone tone, Size size, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable QHash<int, int> m_heights;
};

} // namespace sorvane
