// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace sorvane {

/// A label in one of the views' text tones. The colour is re-derived whenever the desktop's
/// palette changes, so a switch between light and dark themes is followed while open.
class ToneLabel : public QLabel {
    Q_OBJECT
public:
    enum class Tone { primary, secondary, error };
    enum class Size { body, caption };

    explicit ToneLabel(const QString& text = {}, Tone tone = Tone::secondary,
                       Size size = Size::caption, QWidget* parent = nullptr);

    void setTone(Tone tone);
    Tone tone() const { return m_tone; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyTone();

    Tone m_tone;
    bool m_applying = false;
};

} // namespace sorvane
