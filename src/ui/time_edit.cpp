// SPDX-License-Identifier: MIT
#include "ui/time_edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace sorvane {
namespace {

/// Lower case without dots and spaces of any kind, so that "p. m.", "P.M." and "pm" agree.
QString folded(const QString& text) {
    QString result;
    for (const QChar c : text)
        if (c.isLetter())
            result += c.toLower();
    return result;
}

} // namespace

TimeEdit::TimeEdit(QWidget* parent) : QTimeEdit(parent) {}

std::optional<QTime> TimeEdit::parse(const QString& text, const QLocale& locale,
                                     const QString& format) {
    static const QRegularExpression digits(QStringLiteral("^\\D*(\\d{1,2})\\D+(\\d{1,2})\\D*$"));
    const QRegularExpressionMatch match = digits.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();

    const QString marker = folded(text);
    const QString am = folded(locale.amText());
    const QString pm = folded(locale.pmText());
    const bool isAm = !marker.isEmpty() && am.startsWith(marker) && !pm.startsWith(marker);
    const bool isPm = !marker.isEmpty() && pm.startsWith(marker) && !am.startsWith(marker);
    if (!marker.isEmpty() && !isAm && !isPm)
        return std::nullopt;
    const bool twelveHour = format.contains(QLatin1Char('h'));
    if (isAm || isPm || (twelveHour && hour <= 12)) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (isPm ? 12 : 0);
    }
    const QTime time(hour, minute);
    return time.isValid() ? std::optional(time) : std::nullopt;
}

QValidator::State TimeEdit::validate(QString& input, int& pos) const {
    const QValidator::State own = QTimeEdit::validate(input, pos);
    if (own != QValidator::Invalid)
        return own;
    // Qt refuses the first letters of a marker that both markers share ("오" of "오전" and
    // "오후"); keep them so that the next letter can decide. Anything else Qt refuses stays
    // refused, which is also how Qt steps over a typed separator.
    const QString letters = folded(input);
    const auto partOf = [&letters](const QString& marker) {
        const QString whole = folded(marker);
        return letters.size() < whole.size() && whole.startsWith(letters);
    };
    if (!letters.isEmpty() && (partOf(locale().amText()) || partOf(locale().pmText())))
        return QValidator::Intermediate;
    return own;
}

void TimeEdit::takeTypedText() {
    QString text = lineEdit()->text();
    int pos = lineEdit()->cursorPosition();
    if (QTimeEdit::validate(text, pos) == QValidator::Acceptable)
        return;
    if (const auto time = parse(text, locale(), displayFormat()))
        setTime(*time);
}

void TimeEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        takeTypedText();
    QTimeEdit::keyPressEvent(event);
}

void TimeEdit::focusOutEvent(QFocusEvent* event) {
    takeTypedText();
    QTimeEdit::focusOutEvent(event);
}

} // namespace sorvane
