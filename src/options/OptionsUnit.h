#pragma once
// The options window: fonts, buttons, the exam clock and the calculator.

#include <QDialog>

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);
};

extern TOptionsForm* OptionsForm;
