#pragma once
// The begin-exam dialog: candidate name and time limit.

#include <QDialog>

class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget* parent = nullptr);
};

extern TNameForm* NameForm;
