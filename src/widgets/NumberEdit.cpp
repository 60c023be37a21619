#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>

namespace widgets {

NumberEdit::NumberEdit(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

bool NumberEdit::allowedCharacter(QChar c) const
{
    if (c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-'))
        return true;
    return QString(c) == locale().decimalPoint();
}

int NumberEdit::valueOfText(const QString& text) const
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return minimum();
    return int(std::clamp<qlonglong>(number, minimum(), maximum()));
}

int NumberEdit::commitValue()
{
    const int value = valueOfText(lineEdit()->text());
    showValue(value);
    return value;
}

void NumberEdit::showValue(int value)
{
    setValue(value);
    // setValue leaves the text alone when the value did not change.
    lineEdit()->setText(textFromValue(this->value()));
}

QValidator::State NumberEdit::validate(QString& text, int&) const
{
    for (const QChar c : text) {
        if (!allowedCharacter(c))
            return QValidator::Invalid;
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, 10);
    if (ok && number >= minimum() && number <= maximum())
        return QValidator::Acceptable;
    return QValidator::Intermediate;
}

void NumberEdit::fixup(QString& text) const
{
    text = textFromValue(valueOfText(text));
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (printable && !command && !std::all_of(typed.begin(), typed.end(),
                                              [this](QChar c) { return allowedCharacter(c); })) {
        QApplication::beep();
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    commitValue();
    QSpinBox::focusOutEvent(event);
}

}  // namespace widgets
