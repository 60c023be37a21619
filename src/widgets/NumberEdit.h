#pragma once
// A number field with up and down arrows for whole numbers in a range.
//
// Only digits, signs and the locale's decimal separator can be typed; other keys beep. The
// arrow keys and buttons step the value by 1 within the range. The field's value is the
// whole number it shows; a text that is not a whole number counts as the lowest value, and a
// value outside the range is brought to the nearer bound, both when the field is left and
// when commitValue() is called (before a dialog takes its values).

#include <QSpinBox>

namespace widgets {

class NumberEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    // Reads the text as the field's value (see above), shows it and returns it.
    int commitValue();
    // Sets the value and shows it, also when the value was the same but the text differed.
    void showValue(int value);
    // The value the text stands for, without changing the field.
    int valueOfText(const QString& text) const;

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool allowedCharacter(QChar c) const;
};

}  // namespace widgets
