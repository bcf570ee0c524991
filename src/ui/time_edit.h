// SPDX-License-Identifier: MIT
#pragma once

#include <QTimeEdit>
#include <optional>

namespace sorvane {

/// An hours-and-minutes editor that takes a time typed whole, in the user's own format, as
/// well as Qt's section by section editing. Qt's editor alone refuses much of what people
/// type: a space over a selected "AM", "P" for "PM", or the first syllable of "오후" that
/// "오전" shares, and then reverts everything on Return.
class TimeEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimeEdit(QWidget* parent = nullptr);

    /// `text` read as a time of `locale`, whose display format is `format`: digits for the
    /// hour and the minute, and in any case, with or without dots and spaces, a leading part
    /// of the locale's AM or PM text, before or after them. A 12-hour format without a marker
    /// means the morning unless the hour is above 12.
    static std::optional<QTime> parse(const QString& text, const QLocale& locale,
                                      const QString& format);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// Takes what was typed when Qt's own reading of it fails and ours succeeds.
    void takeTypedText();
};

} // namespace sorvane
