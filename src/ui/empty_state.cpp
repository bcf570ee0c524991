// SPDX-License-Identifier: MIT
#include "ui/empty_state.h"

#include "ui/tone_label.h"
#include "ui/ui_style.h"

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace sorvane {

EmptyState::EmptyState(const QIcon& symbol, const QString& title, const QString& description,
                       QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 20, 40, 20);
    layout->setSpacing(8);
    layout->addStretch(1);
    auto* image = new QLabel(this);
    image->setPixmap(symbol.pixmap(QSize(48, 48), devicePixelRatioF(), QIcon::Disabled));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    auto* heading = new QLabel(title, this);
    heading->setFont(UiStyle::scaled(font(), 1.35, QFont::Bold));
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);
    auto* text =
        new ToneLabel(description, ToneLabel::Tone::secondary, ToneLabel::Size::body, this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
    setAccessibleName(title);
    setAccessibleDescription(description);
}

} // namespace sorvane
