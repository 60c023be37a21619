#pragma once
// The begin-exam dialog: the candidate's name, the time limit and, for the random exam, the
// number of questions. Created once and reused; its fields keep their values between uses.

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class NumberEdit;
}

class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget* parent = nullptr);

    QLabel* Label1;  // "Date: " and today's date
    QLabel* Label3;  // "Your Name: "
    QLineEdit* NameEdit;
    QLabel* Label2;  // "Time (min):"
    widgets::NumberEdit* SpinEdit1;  // time limit, 1 to 600 minutes
    QLabel* Label4;  // "Number of questions:"
    widgets::NumberEdit* SpinEdit2;  // size of the random exam, 1 to N
    QFrame* Bevel1;
    QPushButton* BitBtn1;  // OK
    QPushButton* BitBtn2;  // Cancel

    // Sets the date line; runs each time the dialog becomes active.
    void FormActivate();
    // Hands the name and the time limit back (valuesTaken) and closes with OK.
    void BitBtn1Click();

signals:
    // The values OK takes, raised before the dialog closes: the text of NameEdit, unchanged,
    // and the time limit as a fraction of a day.
    void valuesTaken(const QString& candidateName, double timeLimit);

protected:
    void showEvent(QShowEvent* event) override;
};

extern TNameForm* NameForm;
