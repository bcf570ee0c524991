// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <optional>

namespace sorvane {

/// One line of text that is shortened with an ellipsis where it does not fit: at the start
/// for paths (the folder's own name stays visible) or in the middle for file names. The
/// whole text stays available as tooltip and accessible name.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return m_text; }
    /// What is drawn at the current width.
    QString shownText() const;
    void setSecondary(bool secondary);
    /// Where a text that fits sits: at the leading edge (the default) or the trailing one.
    void setAlignment(Qt::Alignment alignment);
    /// Draws each `symbol` of the text in `font`: a monospaced font's arrow fills one
    /// narrow cell and is hard to see.
    void setSymbolFont(QChar symbol, const QFont& font);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// How much wider each symbol is in its own font than in the label's.
    int symbolExtra() const;

private:
    QString m_text;
    Qt::TextElideMode m_mode;
    bool m_secondary = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QChar m_symbol;
    std::optional<QFont> m_symbolFont;
};

} // namespace sorvane
